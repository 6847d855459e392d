#pragma once
// What the progress window shows while a command works: nothing in the command's first second,
// so that quick runs look as they always did; then the step, and while a program is asked, the
// seconds left before it is given up.
#include <cstdint>
#include <optional>
#include <string>

namespace torvel {

// The steps a command names.
inline constexpr char kStepMachine[] = "Reading the machine's facts";
inline constexpr char kStepProducts[] = "Reading the products' settings";
inline constexpr char kStepHost[] = "Asking Partwright";
inline constexpr char kStepWriting[] = "Writing the report";
inline constexpr char kStepMail[] = "Handing the mail to the mail client";

struct ProgressView {
  std::string step;
  // While a program is asked: whole seconds left, rounded up; the user may stop waiting then.
  std::optional<std::uint64_t> seconds_left;
};

class ProgressState {
 public:
  static constexpr std::uint64_t kQuietMs = 1000;

  // The command starts working at `now` (milliseconds of the system's clock).
  void Begin(std::uint64_t now) {
    begun_ = now;
    step_.clear();
    give_up_at_.reset();
  }
  void Step(const std::string& step) { step_ = step; }
  // A program is being asked, and is given up at `give_up_at`; nullopt once it answered.
  void Asking(std::optional<std::uint64_t> give_up_at) { give_up_at_ = give_up_at; }

  // What to show at `now`: nothing within the first second.
  std::optional<ProgressView> At(std::uint64_t now) const {
    if (now - begun_ <= kQuietMs) return std::nullopt;
    ProgressView view{step_, std::nullopt};
    if (give_up_at_) view.seconds_left = *give_up_at_ > now ? (*give_up_at_ - now + 999) / 1000 : 0;
    return view;
  }

 private:
  std::uint64_t begun_ = 0;
  std::string step_;
  std::optional<std::uint64_t> give_up_at_;
};

}  // namespace torvel
