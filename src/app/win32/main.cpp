// The tool's entry point: builds the Win32 services and runs the main window, or, with
// "/report [FILE]" or "/json [FILE]", writes the report silently and exits.
#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "app/win32/main_window.h"
#include "app/win32/window_dialogs.h"
#include "commands/command_line.h"
#include "commands/commands.h"
#include "platform/failure.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/identity_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/simple_mail_win32.h"
#include "platform/win32/system_facts_win32.h"
#include "platform/win32/utf8.h"
#include "report/report_writer.h"
#include "text/app_info.h"

namespace torvel {
namespace {

// How long a call to another program may go unanswered. The test bench shortens it through
// TORVEL_ANSWER_LIMIT_MS so that its silent stand-ins cost seconds, not minutes; nothing lengthens
// it.
unsigned long AnswerLimit() {
  wchar_t text[16];
  DWORD length = GetEnvironmentVariableW(L"TORVEL_ANSWER_LIMIT_MS", text, 16);
  return ShortenedLimit(length < 16 ? Utf8({text, length}) : "x", Win32Automation::kAnswerLimitMs);
}

// The Win32 services that do not depend on the mode.
struct Services {
  Win32Registry registry;
  Win32SystemFacts system;
  Win32Identity identity;
  Win32Network network;
  Win32Files files;
  Win32Shell shell;
  Win32Automation automation{AnswerLimit()};
  Win32Clock clock;
  Win32SimpleMail simple_mail;

  FactSources Sources() { return {registry, system, identity, network, files, automation, clock}; }
};

std::string FullPath(const std::string& path) {
  std::vector<wchar_t> buffer(32768);
  const std::wstring wide = Wide(path);
  DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return length > 0 && length < buffer.size() ? Utf8({buffer.data(), length}) : path;
}

// A line for a person who started the tool with no console to read it in.
void ShowLineInABox(const std::string& line) {
  MessageBoxW(nullptr, Wide(line).c_str(), Wide(kAppTitle).c_str(), MB_OK);
}

// The program's arguments in UTF-8, the program's own name first.
std::vector<std::string> Arguments() {
  int count = 0;
  UniqueLocalBlock list(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> args;
  for (int i = 0; list && i < count; ++i)
    args.push_back(Utf8(static_cast<wchar_t**>(list.get())[i]));
  return args;
}

// Each file the switches name, or the one in the report's folder; one collection feeds them all.
int RunSilent(Services& services, const CommandLine& command_line) {
  ConsoleDialogs dialogs;
  // A file named on the command line is never redirected.
  const bool unnamed = (command_line.report && command_line.report->empty()) ||
                       (command_line.json && command_line.json->empty());
  const ReportFolder folder = unnamed ? ChooseReportFolder(services.files) : ReportFolder{};
  std::vector<Output> outputs;
  std::vector<bool> moved;  // redirected away from the program's folder
  auto add = [&](const std::optional<std::string>& file, const std::string& unnamed_path,
                 Format format) {
    if (!file) return;
    outputs.push_back({file->empty() ? unnamed_path : FullPath(*file), format});
    moved.push_back(file->empty() && folder.redirected);
  };
  add(command_line.report, ReportPath(folder.path), Format::kHtml);
  add(command_line.json, JsonPath(folder.path), Format::kJson);
  if (outputs.size() == 2 && services.files.SameFile(outputs[0].path, outputs[1].path)) {
    WriteErrorLine(std::string(kSameFileProblem) + " " + kUsage);
    return kExitRefused;
  }
  if (!RunReports(services.Sources(), dialogs, outputs, kSilentFolderAdvice,
                  command_line.private_report)) {
    return 1;
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (moved[i]) WriteOutputLine(RedirectedLine(outputs[i].path));
  }
  return 0;
}

int RunWindow(Services& services, HINSTANCE instance, int show) {
  WindowDialogs dialogs(services.clock);
  services.automation.SetWaiting(&dialogs);
  {
    MainWindow window({services.Sources(), services.shell, services.simple_mail}, dialogs);
    if (!window.Create(instance, show)) return 1;
    dialogs.SetOwner(window.hwnd());
    services.system.SetWindow(window.hwnd());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      // The dialog manager gives the window tab order and access keys.
      if (!IsDialogMessageW(window.hwnd(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  services.automation.SetWaiting(nullptr);
  return 0;
}

}  // namespace
}  // namespace torvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  using namespace torvel;
  std::vector<std::string> args = Arguments();
  const std::vector<std::string> command_line_args(args.begin() + (args.empty() ? 0 : 1),
                                                   args.end());
  const CommandLine command_line = ParseCommandLine(command_line_args);
  switch (command_line.mode) {
    case RunMode::kUsage:
      // Asked for by a person: where there is no console, in a box.
      if (!WriteOutputLine(kUsage)) ShowLineInABox(kUsage);
      return 0;
    case RunMode::kRefused:
      // Refused at once: a scheduled task never waits on a window nobody sees. Only a file
      // dropped on the icon, with no console to tell it, gets a box.
      if (!WriteErrorLine(RefusalLine(command_line)) && !AnySwitch(command_line_args)) {
        ShowLineInABox(RefusalLine(command_line));
      }
      return kExitRefused;
    case RunMode::kReport: {
      ComApartment com;
      Services services;
      return RunSilent(services, command_line);
    }
    case RunMode::kWindow:
      break;
  }
  ComApartment com;
  Services services;
  return RunWindow(services, instance, show);
}
