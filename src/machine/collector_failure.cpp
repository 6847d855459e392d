#include "machine/collector_failure.h"

namespace torvel {

std::string CollectorFailureText(std::string_view procedure, long number,
                                 std::string_view description) {
  std::string text = "Stats.Form1.";
  text += procedure;
  text += std::to_string(number);
  text += description;
  return text;
}

void ReportCollectorFailure(ProblemSink& problems, std::string_view procedure, long number,
                            std::string_view description) {
  problems.Report({std::string(procedure), number, std::string(description)},
                  CollectorFailureText(procedure, number, description));
}

}  // namespace torvel
