#pragma once
// The Wine bench's UI driver and file helpers. Every wait is bounded.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/utf8.h"

namespace bench {

constexpr DWORD kWaitMs = 20000;

// Text and paths are UTF-8 here, as in the tool; W and U convert to and from Windows' UTF-16.
inline std::wstring W(const std::string& text) { return torvel::Wide(text); }
inline std::string U(const std::wstring& wide) { return torvel::Utf8(wide); }

// Folder of the running test program: BUILD\bin, where every program of the build is.
std::string BinDir();
std::string ToolExe();
// A new empty folder under the temporary folder.
std::string MakeTempDir(const std::string& tag);
// Copies the tool into `folder`; returns the copy's path, empty on failure.
std::string CopyToolInto(const std::string& folder);
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Polls `condition` until it holds (true) or `timeout_ms` pass (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kWaitMs);

// A program started in `folder` (empty: this one), its standard error to `error_file` and its
// standard output to `output_file` when they are named; killed by the destructor if it still runs.
class Process {
 public:
  bool Start(const std::string& exe, const std::string& arguments = "",
             const std::string& folder = "", const std::string& error_file = "",
             const std::string& output_file = "");
  DWORD pid() const { return info_.dwProcessId; }
  // True, and the exit code, when the process ends within the time.
  bool WaitExit(DWORD timeout_ms, DWORD* exit_code = nullptr);
  ~Process();

 private:
  PROCESS_INFORMATION info_{};
};

// Runs a program to its end (at most a minute): its exit code, 99 when it did not end in time.
DWORD Run(const std::string& exe, const std::string& arguments, const std::string& folder,
          const std::string& error_file = "", const std::string& output_file = "");

// A visible top-level window of process `pid` with that title, waited for; null if none comes.
HWND WaitForWindow(DWORD pid, const std::string& title);
std::string WindowText(HWND hwnd);  // any process's, by WM_GETTEXT (GetWindowText cannot)
std::string ClassOf(HWND hwnd);
// Types `keys` into `window` once it can take them: words apart by blanks, each a letter, "Enter"
// or "Esc", "Alt+" before it holding Alt (a menu, waited for, if more follow). False if it cannot.
bool PressKeys(HWND window, const std::string& keys);
// With TORVEL_SHOTS naming a folder, has scripts/screenshots take the window's picture as
// NAME.png; otherwise does nothing.
void Shoot(HWND window, const std::string& name);

}  // namespace bench
