#pragma once
// The test side of standin.exe (programs/standin/standin.h): one role set up for one test.
#include "programs/standin/standin.h"
#include "support/ui_driver.h"
// after windows.h (from ui_driver.h), which it needs
#include <tlhelp32.h>

namespace standin {

class Server {
 public:
  // Writes `settings` (lines of the [Answers] section) as the role's settings file, empties its
  // call log, and registers the role unless `registered` is false.
  explicit Server(const Role& role, const std::string& settings = "", bool registered = true)
      : role_(role) {
    DeleteFileA(Beside(role.log_file).c_str());
    ready_ = bench::WriteWholeFile(Beside(role.settings_file), "[Answers]\r\n" + settings) &&
             Run(registered ? "/register" : "/unregister");
  }
  // Ends every standin.exe still running, by process id; unregisters the role, removes its files.
  ~Server() {
    Count(true);
    Run("/unregister");
    for (const char* file : {role_.settings_file, role_.log_file})
      DeleteFileA(Beside(file).c_str());
  }
  bool ready() const { return ready_; }  // the settings written and (un)registered
  // A file beside standin.exe (its settings, call log, attached copies).
  static std::string Beside(const std::string& name) { return bench::BinDir() + "\\" + name; }
  std::string Calls() const { return bench::ReadWholeFile(Beside(role_.log_file)).value_or(""); }
  // Starts an instance the user has open; waits until it is in the running object table.
  bool StartRunning() {
    return running_.Start(Beside(kProgram), role_.name + std::string(" /running")) &&
           bench::WaitUntil([this] { return bench::FileExists(Beside(role_.log_file)); });
  }
  // The standin.exe processes running now; with `end`, each is ended.
  static int Count(bool end = false) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      if (lstrcmpiA(entry.szExeFile, kProgram) != 0) continue;
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, 0, entry.th32ProcessID);
      if (end && TerminateProcess(process, 1)) WaitForSingleObject(process, bench::kWaitMs);
      CloseHandle(process);
      ++count;
    }
    CloseHandle(snapshot);
    return count;
  }

 private:
  bool Run(const std::string& command) const {
    bench::Process program;
    DWORD code = 1;
    return program.Start(Beside(kProgram), role_.name + (" " + command)) &&
           program.WaitExit(bench::kWaitMs, &code) && code == 0;
  }

  const Role& role_;
  bool ready_;
  bench::Process running_;
};

}  // namespace standin
