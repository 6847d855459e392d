#pragma once
// The collectors' failure handler: a failure while collecting one fact is reported as one
// problem and ends that collector only; the report goes on.
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/failure.h"

namespace torvel {

// The run-time error numbers that the collectors raise themselves.
inline constexpr long kOverflow = 6;
inline constexpr long kOutOfMemory = 7;
inline constexpr long kDivisionByZero = 11;

// "Stats.Form1." + procedure + number + description, run together.
std::string CollectorFailureText(std::string_view procedure, long number,
                                 std::string_view description);
// Reports the problem, with that text as what a person is told.
void ReportCollectorFailure(ProblemSink& problems, std::string_view procedure, long number,
                            std::string_view description);

// Runs `body` as the collector `procedure`: its result, or nothing after a Failure (or when
// memory runs out). A ReportFileError is no collector's failure and passes through.
template <typename Body>
std::optional<std::invoke_result_t<Body&>> RunCollector(ProblemSink& problems,
                                                        std::string_view procedure, Body&& body) {
  try {
    return body();
  } catch (const Failure& failure) {
    ReportCollectorFailure(problems, procedure, failure.number(), failure.description());
  } catch (const std::bad_alloc&) {
    ReportCollectorFailure(problems, procedure, kOutOfMemory, "Out of memory");
  }
  return std::nullopt;
}

}  // namespace torvel
