#pragma once
// The Wine bench's UI driver: starts programs, finds their windows, presses buttons, chooses
// menu items, reads and answers message boxes. Every wait is bounded.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

constexpr DWORD kWaitMs = 20000;

// Folder of the running test program: BUILD\bin, where every program of the build is.
std::string BinDir();
std::string ToolExe();
// A new empty folder under the temporary folder.
std::string MakeTempDir(const std::string& tag);
// Copies the tool into `folder`; returns the copy's path.
std::string CopyToolInto(const std::string& folder);
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Polls `condition` until it holds or `timeout_ms` pass.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kWaitMs);

class Process {
 public:
  // Starts `exe` with `arguments` (already quoted as needed); `folder` is its working folder;
  // its standard error goes to `error_file` when one is named.
  bool Start(const std::string& exe, const std::string& arguments = "",
             const std::string& folder = "", const std::string& error_file = "");
  DWORD pid() const { return info_.dwProcessId; }
  // True and the exit code when the process ended within the time.
  bool WaitExit(DWORD timeout_ms, DWORD* exit_code = nullptr);
  bool Running() const;
  void Kill();
  ~Process();

 private:
  PROCESS_INFORMATION info_{};
};

// A visible top-level window of process `pid` with that class (empty: any) and title (empty:
// any), waited for.
HWND WaitForWindow(DWORD pid, const std::string& window_class, const std::string& title,
                   DWORD timeout_ms = kWaitMs);
std::string WindowText(HWND hwnd);
std::string ClassOf(HWND hwnd);

struct MessageBoxSeen {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
};
// The next message box (a #32770 dialog with a text control 0xFFFF) of process `pid`.
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, DWORD timeout_ms = kWaitMs);
// Presses the box's button (IDOK, IDYES, IDNO) and waits for the box to close.
bool Answer(const MessageBoxSeen& box, int button_id);
// Button ids of the box that exist (IDOK, IDYES, IDNO, IDCANCEL).
std::vector<int> ButtonsOf(HWND box);

// Clicks a control of `parent` by id, without waiting for what it starts.
void Click(HWND parent, int control_id);
// Chooses a menu item by id.
void ChooseMenu(HWND window, int item_id);
// Makes `window` the foreground window (waited for); false when it never becomes it.
bool BringForward(HWND window);
// Brings the window forward and types keys into it: `alt` holds Alt around them. False when the
// window could not be brought forward or the keys were not all sent.
bool PressKeys(HWND window, const std::vector<WORD>& keys, bool alt = false);

}  // namespace bench
