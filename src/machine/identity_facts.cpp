#include "machine/identity_facts.h"

namespace torvel {

void UserName(const Platform&, ReportStream&) {}
void ComputerName(const Platform&, ReportStream&) {}
std::string GetTempDirectory(const Platform&) { return {}; }
std::string GetEnvironmentVar(const Platform&, const std::string&) { return {}; }

}  // namespace torvel
