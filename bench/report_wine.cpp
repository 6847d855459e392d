// One whole report collected by the real Win32 services under Wine, on a machine with every
// product installed and the host stand-in already running (so the host's own start-up is not
// timed). Imports the machine fixture (refuses to run when "Software\VRAX" exists already),
// registers and starts the stand-in, times the runs, then closes the stand-in and removes
// everything it added.
// Usage: report_wine.exe [RUNS]
// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hostapp/host_section.h"
#include "machine/identity_facts.h"
#include "machine/network_identity.h"
#include "machine/os_version.h"
#include "machine/system_information.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/identity_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_facts_win32.h"
#include "products/product_sections.h"
#include "report/collect_facts.h"
#include "report/html_report.h"
#include "report/report_writer.h"
#include "wine_timing.h"

namespace {

constexpr char kHostClass[] = "Partwright.Application";

// Runs the stand-in beside this program with `arguments`; waits for it when asked.
bool RunStandin(const std::string& arguments, bool wait) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path, length);
  program = program.substr(0, program.find_last_of('\\')) + "\\standin.exe";
  std::string command_line = "\"" + program + "\" host " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  if (wait) WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  if (wine_timing::ProductsKeyExists(HKEY_LOCAL_MACHINE) ||
      wine_timing::ProductsKeyExists(HKEY_CURRENT_USER)) {
    std::printf("Software\\VRAX exists already; not touching it.\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (!wine_timing::ImportFixture()) {
    std::printf("The machine fixture could not be imported.\n");
    return 2;
  }

  torvel::Win32Registry registry;
  torvel::Win32SystemFacts system;
  torvel::Win32Identity identity;
  torvel::Win32Network network;
  torvel::Win32Files files;
  torvel::ConsoleDialogs dialogs;
  torvel::Win32Automation automation;
  torvel::Win32Clock clock;
  const torvel::FactSources p{registry, system, identity, network, files, automation, clock};

  int result = 0;
  RunStandin("/register", true);
  RunStandin("/running", false);
  // Waits (bounded) until the running host is in the running object table.
  bool running = false;
  for (int i = 0; i < 200 && !running; ++i) {
    running = automation.FindRunning(kHostClass) != nullptr;
    if (!running) Sleep(50);
  }
  const std::string first = torvel::RenderHtml(torvel::CollectFacts(p, dialogs));
  if (!running || first.find("Partwright Date Code:       not available") != std::string::npos) {
    std::printf("The running host stand-in did not answer; no timing.\n");
    result = 1;
  } else {
    wine_timing::Timing t =
        wine_timing::Measure(runs, [&] { torvel::RenderHtml(torvel::CollectFacts(p, dialogs)); });
    std::printf(
        "whole report, every product, running host, %d runs: median %.3f ms, mean %.3f ms, "
        "best %.3f ms, %zu bytes\n",
        runs, t.median, t.mean, t.best, first.size());
    // Where the time goes: the median of each part on its own.
    struct : torvel::ProblemSink {
      void Report(const torvel::Problem&, const std::string&) override {}
    } problems;
    struct Part {
      const char* name;
      std::function<void()> run;
    } parts[] = {
        {"UserName, ComputerName",
         [&] {
           torvel::UserName(identity, problems);
           torvel::ComputerName(identity);
         }},
        {"GetEthernetAddress", [&] { torvel::GetEthernetAddress(network, 0); }},
        {"LocalIpAddress", [&] { torvel::LocalIpAddress(network, problems); }},
        {"VersionInformation", [&] { torvel::VersionInformation(system, problems); }},
        {"SystemInformation", [&] { torvel::SystemInformation(system, files, problems); }},
        {"temporary folder and environment",
         [&] {
           torvel::GetTempDirectory(identity, problems);
           torvel::GetEnvironmentVar(identity, problems, "Path");
           torvel::GetEnvironmentVar(identity, problems, "TORVELK");
         }},
        {"RegistryValue", [&] { torvel::RegistryValue(registry); }},
        {"PartwrightInformation", [&] { torvel::PartwrightInformation(automation, registry); }},
    };
    for (const Part& part : parts) {
      wine_timing::Timing t = wine_timing::Measure(runs, part.run);
      std::printf("  %-34s median %.3f ms\n", part.name, t.median);
    }
  }
  // Closes the running stand-in as its owner would, and removes what was added.
  if (auto host = automation.FindRunning(kHostClass)) {
    try {
      host->Call("ExitApp", {});
    } catch (...) {
    }
  }
  RunStandin("/unregister", true);
  wine_timing::RemoveProducts();
  CoUninitialize();
  return result;
}
