#pragma once
// The program's switches: none (the main window), "/report [FILE]", "/json [FILE]" and "/private"
// in any order (the silent mode), or "/?". "/" or "-", in any letter case.
#include <optional>
#include <string>
#include <vector>

namespace torvel {

inline constexpr char kUsage[] =
    "Usage: TORVELSupport.exe [/report [FILE]] [/json [FILE]] [/private] | /?";
inline constexpr int kExitRefused = 2;
// Refused like a wrong switch: one file cannot hold both the report and its JSON twin.
inline constexpr char kSameFileProblem[] = "/report and /json need two different files.";

enum class RunMode { kWindow, kReport, kUsage, kRefused };

struct CommandLine {
  RunMode mode = RunMode::kWindow;
  // Given for each switch that is; empty text: the file beside the program.
  std::optional<std::string> report;
  std::optional<std::string> json;
  std::string problem;          // why the switches were refused
  bool private_report = false;  // names and addresses replaced (PrivateFacts)
};

// `args` without the program's own name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// True when an argument starts with "/" or "-": the command line was typed, not a file dropped.
bool AnySwitch(const std::vector<std::string>& args);

// The line the silent mode writes on standard output for a file it wrote elsewhere than in the
// program's folder.
std::string RedirectedLine(const std::string& path);

// The one line a refused command line gets on standard error: the problem, then the usage.
std::string RefusalLine(const CommandLine& command_line);

// A limit that a setting may only shorten: `setting` when it is a whole decimal number from 1 to
// `limit`, else `limit`.
unsigned long ShortenedLimit(const std::string& setting, unsigned long limit);

}  // namespace torvel
