#pragma once
// The one answer of a service that can fail: a value, or the code and text of why it could not
// be had (the code as the system gives it, the text in the user's words).
#include <string>
#include <utility>
#include <variant>

namespace torvel {

struct ErrorInfo {
  long code = 0;
  std::string text;
};

template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(ErrorInfo error) : state_(std::move(error)) {}
  explicit operator bool() const { return state_.index() == 0; }
  const T& operator*() const { return std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const ErrorInfo& error() const { return std::get<1>(state_); }
  T value_or(T fallback) const { return *this ? **this : std::move(fallback); }

 private:
  std::variant<T, ErrorInfo> state_;
};

// The answer of an operation that has no value to give: Done, or why not.
struct Done {};
using Status = Result<Done>;

}  // namespace torvel
