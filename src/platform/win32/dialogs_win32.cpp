#include "platform/win32/dialogs_win32.h"

#include <windows.h>

#include "platform/win32/utf8.h"

namespace torvel {

Answer Win32Dialogs::Show(const std::string& text, const std::string& title, Buttons buttons) {
  UINT type = buttons == Buttons::kYesNo ? MB_YESNO : MB_OK;
  int pressed =
      MessageBoxW(static_cast<HWND>(owner_), Wide(text).c_str(), Wide(title).c_str(), type);
  if (buttons == Buttons::kOk) return Answer::kOk;
  return pressed == IDYES ? Answer::kYes : Answer::kNo;
}

void Win32Dialogs::SetBusy(bool busy) {
  busy_depth_ += busy ? 1 : -1;
  SetCursor(LoadCursor(nullptr, busy_depth_ > 0 ? IDC_WAIT : IDC_ARROW));
}

namespace {

bool WriteLine(DWORD stream, const std::string& text) {
  HANDLE out = GetStdHandle(stream);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    // A GUI program started from a console window has no standard handles of its own.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) out = GetStdHandle(stream);
  }
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;
  // One line: the text's own line breaks become blanks.
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
  }
  line += "\r\n";
  DWORD written = 0;
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) {
    // A console shows wide text whole, whatever its code page.
    const std::wstring wide = Wide(line);
    return WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  }
  return WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

bool WriteErrorLine(const std::string& text) { return WriteLine(STD_ERROR_HANDLE, text); }

bool WriteOutputLine(const std::string& text) { return WriteLine(STD_OUTPUT_HANDLE, text); }

Answer ConsoleDialogs::Show(const std::string& text, const std::string& title, Buttons buttons) {
  ++shown_;
  WriteErrorLine(title + ": " + text);
  return buttons == Buttons::kOk ? Answer::kOk : Answer::kNo;
}

}  // namespace torvel
