#include "machine/collector_failure.h"

#include "text/app_info.h"

namespace torvel {

std::string CollectorFailureText(std::string_view procedure, long number,
                                 std::string_view description) {
  std::string text = "Stats.Form1.";
  text += procedure;
  text += std::to_string(number);
  text += description;
  return text;
}

void ShowCollectorFailure(const Platform& p, Problems& problems, std::string_view procedure,
                          long number, std::string_view description) {
  p.dialogs.Show(CollectorFailureText(procedure, number, description), kAppTitle, Buttons::kOk);
  problems.push_back({std::string(procedure), number, std::string(description)});
}

}  // namespace torvel
