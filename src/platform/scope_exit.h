#pragma once
// The one scope guard: `undo` runs exactly once on the way out of the scope, whatever ends it,
// unless Release() handed that job over first. What `undo` throws is dropped: the scope is
// already on its way out with what matters.
#include <utility>

namespace torvel {

template <typename Undo>
class ScopeExit {
 public:
  explicit ScopeExit(Undo undo) : undo_(std::move(undo)) {}
  ScopeExit(ScopeExit&& other) noexcept : undo_(std::move(other.undo_)), armed_(other.armed_) {
    other.armed_ = false;
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() {
    if (!armed_) return;
    try {
      undo_();
    } catch (...) {
    }
  }
  void Release() { armed_ = false; }

 private:
  Undo undo_;
  bool armed_ = true;
};

}  // namespace torvel
