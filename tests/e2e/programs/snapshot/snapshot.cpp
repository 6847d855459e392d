// Takes pictures of the tool's windows for the documentation: starts the tool, brings up the
// window named by SCENE and saves it as a 24-bit BMP.
//   snapshot.exe TOOL.exe OUT.bmp SCENE
// SCENE: main | about | question | confirmation | report-failure | email-error | email-option |
//        email-failure | sysinfo-unavailable
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/about_ids.h"
#include "app/win32/control_ids.h"
#include "support/ui_driver.h"

namespace {

bool SaveWindow(HWND window, const std::string& path) {
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Sleep(500);  // let the other process finish painting
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  std::size_t stride = ((width * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * height);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bytes.append(static_cast<const char*>(bits), stride * height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bench::WriteWholeFile(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: snapshot TOOL.exe OUT.bmp main|about|question|confirmation\n");
    return 2;
  }
  std::string scene = argv[3];
  std::string tool_exe = argv[1];
  std::string report = tool_exe.substr(0, tool_exe.find_last_of('\\')) + "\\TORVEL Info.htm";
  SetFileAttributesA(report.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (scene == "report-failure") {
    // A report that cannot be replaced.
    bench::WriteWholeFile(report, "kept\r\n");
    SetFileAttributesA(report.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  bench::Process tool;
  if (!tool.Start(tool_exe)) return 1;
  HWND main_window = bench::WaitForWindow(tool.pid(), TORVEL_MAIN_CLASS, "");
  if (!main_window) return 1;
  // Answers each box in turn with the given buttons; the box after them is the picture.
  auto box_after = [&](const std::vector<int>& answers) -> HWND {
    for (int answer : answers) {
      auto box = bench::WaitForMessageBox(tool.pid());
      if (!box || !bench::Answer(*box, answer)) return nullptr;
    }
    auto box = bench::WaitForMessageBox(tool.pid());
    return box ? box->hwnd : nullptr;
  };
  HWND target = main_window;
  if (scene == "about" || scene == "sysinfo-unavailable") {
    bench::ChooseMenu(main_window, ID_MNU_SYS_INFO);
    target = bench::WaitForWindow(tool.pid(), "#32770", "About TORVEL Support Tool");
    if (target && scene == "sysinfo-unavailable") {
      bench::Click(target, ID_ABOUT_CMD_SYS_INFO);
      target = box_after({});
    }
  } else if (scene == "question" || scene == "confirmation" || scene == "report-failure") {
    bench::Click(main_window, ID_CMD_SAVE_TO_FILE);
    target = box_after(scene == "question" ? std::vector<int>{} : std::vector<int>{IDNO});
  } else if (scene == "email-error") {
    SendMessageA(GetDlgItem(main_window, ID_TXT_EMAIL_TO), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(""));
    bench::Click(main_window, ID_CMD_SENT_EMAIL);
    target = box_after({});
  } else if (scene == "email-option" || scene == "email-failure") {
    // With no mail client registered, the mail-client road fails and says so.
    bench::Click(main_window, ID_CMD_SENT_EMAIL);
    target = box_after(scene == "email-option" ? std::vector<int>{} : std::vector<int>{IDYES});
  }
  bool saved = target && SaveWindow(target, argv[2]);
  tool.Kill();
  SetFileAttributesA(report.c_str(), FILE_ATTRIBUTE_NORMAL);
  return saved ? 0 : 1;
}
