// The progress window: nothing in a command's first second, then its step, and while a program
// is asked the whole seconds left, rounded up. The steps that commands name are in their
// transcripts (tests/expected/command_transcripts.txt).
#include "platform/progress.h"

#include "unit/test_support.h"

namespace torvel::testing {

TEST(Progress, AfterASecondTheStepAndTheSecondsLeft) {
  struct Case {
    std::uint64_t now;  // the command began at 5000 and asks the host
    std::optional<std::uint64_t> give_up_at;
    bool shown;
    std::optional<std::uint64_t> seconds_left = std::nullopt;
  };
  for (const Case& c : {Case{6000, 26000, false},
                        {6001, std::nullopt, true},
                        {6001, 26000, true, 20},
                        {7500, 26000, true, 19},
                        {27000, 26000, true, 0}}) {
    ProgressState state;
    state.Begin(5000);
    state.Step(kStepHost);
    state.Asking(c.give_up_at);
    const std::optional<ProgressView> view = state.At(c.now);
    EXPECT_EQ(view.has_value(), c.shown) << c.now;
    if (view) {
      EXPECT_EQ(view->seconds_left, c.seconds_left) << c.now;
      EXPECT_EQ(view->step, kStepHost);
    }
  }
}

}  // namespace torvel::testing
