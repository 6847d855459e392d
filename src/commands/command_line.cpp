#include "commands/command_line.h"

#include <cctype>

namespace torvel {

namespace {

bool IsSwitch(const std::string& arg) { return !arg.empty() && (arg[0] == '/' || arg[0] == '-'); }

bool SwitchIs(const std::string& arg, const char* name) {
  if (!IsSwitch(arg)) return false;
  std::size_t i = 1;
  for (; name[i - 1] != '\0'; ++i) {
    if (i >= arg.size() || std::tolower(static_cast<unsigned char>(arg[i])) !=
                               static_cast<unsigned char>(name[i - 1])) {
      return false;
    }
  }
  return i == arg.size();
}

CommandLine Refused(std::string problem) { return {RunMode::kRefused, {}, {}, std::move(problem)}; }

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) return {};
  if (SwitchIs(args[0], "?")) {
    return args.size() == 1 ? CommandLine{RunMode::kUsage, {}, {}, ""}
                            : Refused("Unexpected argument \"" + args[1] + "\".");
  }
  CommandLine command_line{RunMode::kReport, {}, {}, ""};
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (SwitchIs(args[i], "private")) {
      if (command_line.private_report)
        return Refused("The switch \"" + args[i] + "\" is given twice.");
      command_line.private_report = true;
      continue;
    }
    std::optional<std::string>* file = SwitchIs(args[i], "report") ? &command_line.report
                                       : SwitchIs(args[i], "json") ? &command_line.json
                                                                   : nullptr;
    if (!file) {
      return Refused(IsSwitch(args[i]) ? "Unknown switch \"" + args[i] + "\"."
                                       : "Unexpected argument \"" + args[i] + "\".");
    }
    if (*file) return Refused("The switch \"" + args[i] + "\" is given twice.");
    *file = "";
    // A following argument that is not a switch is the switch's file; a mistyped switch is
    // never taken for a file name.
    if (i + 1 < args.size() && !IsSwitch(args[i + 1])) {
      if (args[i + 1].empty()) return Refused("The file name is empty.");
      **file = args[++i];
    }
  }
  // On its own, "/private" asks for the private report.
  if (!command_line.report && !command_line.json) command_line.report = "";
  return command_line;
}

bool AnySwitch(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (IsSwitch(arg)) return true;
  }
  return false;
}

std::string RedirectedLine(const std::string& path) {
  return "The program's folder cannot be written to; the report is written to " + path + ".";
}

std::string RefusalLine(const CommandLine& command_line) {
  return command_line.problem + " " + kUsage;
}

unsigned long ShortenedLimit(const std::string& setting, unsigned long limit) {
  unsigned long value = 0;
  for (char c : setting) {
    // Stops as soon as the number passes the limit, long before it could overflow.
    if (c < '0' || c > '9' || (value = value * 10 + (c - '0')) > limit) return limit;
  }
  return value >= 1 ? value : limit;
}

}  // namespace torvel
