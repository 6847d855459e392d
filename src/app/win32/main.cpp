// The tool's entry point: builds the Win32 services and runs the main window, or, with
// "/report [FILE]", writes the report silently and exits.
#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "text/app_info.h"
#include "commands/commands.h"
#include "app/win32/main_window.h"
#include "platform/failure.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/identity_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_facts_win32.h"
#include "report/report_writer.h"

namespace torvel {
namespace {


// The Win32 services that do not depend on the mode.
struct Services {
  Win32Registry registry;
  Win32SystemFacts system;
  Win32Identity identity;
  Win32Network network;
  Win32Files files;
  Win32Shell shell;
  Win32Automation automation;
  Win32Clock clock;

  Platform With(Dialogs& dialogs) {
    return Platform{registry, system, identity, network, files, shell, dialogs, automation, clock};
  }
};

std::string FullPath(const std::string& path) {
  std::vector<char> buffer(32768);
  DWORD length =
      GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return length > 0 && length < buffer.size() ? std::string(buffer.data(), length) : path;
}

int RunSilent(Services& services, const std::vector<std::string>& args) {
  ConsoleDialogs dialogs;
  Platform p = services.With(dialogs);
  std::string path = args.size() > 2 ? FullPath(args[2]) : ReportPath(services.files.ExeFolder());
  try {
    WriteReportTo(p, path);
    return 0;
  } catch (const ReportFileError& e) {
    dialogs.Show(ReportFailureText(e.path(), e.reason()), kAppTitle, Buttons::kOk);
  } catch (const std::exception& e) {
    dialogs.Show(std::string("The report could not be written.\r\n") + e.what(), kAppTitle,
                 Buttons::kOk);
  }
  return 1;
}

int RunWindow(Services& services, HINSTANCE instance, int show) {
  Win32Dialogs dialogs;
  Platform p = services.With(dialogs);
  MainWindow window(p);
  if (!window.Create(instance, show)) return 1;
  dialogs.SetOwner(window.hwnd());
  services.system.SetWindow(window.hwnd());
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The dialog manager gives the window tab order and access keys.
    if (!IsDialogMessageA(window.hwnd(), &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 0;
}

bool IsReportSwitch(const std::string& arg) {
  return arg.size() == 7 && (arg[0] == '/' || arg[0] == '-') &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, arg.c_str() + 1, -1, "report", -1) ==
             CSTR_EQUAL;
}

}  // namespace
}  // namespace torvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  using namespace torvel;
  std::vector<std::string> args(__argv, __argv + __argc);
  ComApartment com;
  Services services;
  if (args.size() > 1 && IsReportSwitch(args[1])) return RunSilent(services, args);
  return RunWindow(services, instance, show);
}
