#include "report/report_texts.h"

#include <iterator>

#include "platform/automation.h"

namespace torvel {

namespace {

constexpr std::string_view kEditionNames[] = {"Partwright", "Partwright Studio",
                                              "Partwright Studio Pro", "Partwright Studio Max"};

}  // namespace

std::string HostReason(const ErrorInfo& failure) {
  switch (failure.code) {
    case kInvalidClassString:
    case kClassNotRegistered:
      return "Partwright is not installed";
    case kNoAnswer:
      return "Partwright did not answer";
    case kCallRejected:
      return "Partwright is busy";
  }
  return failure.text;
}

std::optional<std::string_view> EditionName(const std::optional<std::int32_t>& code) {
  if (!code || *code < 0 || *code >= static_cast<std::int32_t>(std::size(kEditionNames)))
    return std::nullopt;
  return kEditionNames[*code];
}

}  // namespace torvel
