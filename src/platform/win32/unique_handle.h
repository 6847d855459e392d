#pragma once
// A move-only owner for a Win32 handle: closed exactly once, on every path.
#include <cstdint>
#include <type_traits>
#include <utility>

namespace torvel {

// `Invalid` is the handle's "none" value as a number (INVALID_HANDLE_VALUE is -1).
template <typename T, auto Close, std::intptr_t Invalid = 0>
class Unique {
 public:
  static T None() {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<T>(Invalid);
    } else {
      return static_cast<T>(Invalid);
    }
  }

  Unique() = default;
  explicit Unique(T value) : value_(value) {}
  Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, None())) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, None());
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  T get() const { return value_; }
  // For out-parameters: releases what is held and hands out the slot.
  T* put() {
    reset();
    return &value_;
  }
  T release() { return std::exchange(value_, None()); }
  explicit operator bool() const { return value_ != None(); }
  void reset() {
    if (value_ != None()) Close(std::exchange(value_, None()));
  }

 private:
  T value_ = None();
};

}  // namespace torvel
