// Takes pictures of the tool's windows for the documentation: starts the tool, brings up the
// window named by SCENE and saves it as a 24-bit BMP.
//   snapshot.exe TOOL.exe OUT.bmp SCENE     SCENE: main | about | question | confirmation
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/control_ids.h"
#include "support/ui_driver.h"

namespace {

bool SaveWindow(HWND window, const std::string& path) {
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
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
  bench::Process tool;
  if (!tool.Start(argv[1])) return 1;
  HWND main_window = bench::WaitForWindow(tool.pid(), TORVEL_MAIN_CLASS, "");
  if (!main_window) return 1;
  HWND target = main_window;
  if (scene == "about") {
    bench::ChooseMenu(main_window, ID_MNU_SYS_INFO);
    target = bench::WaitForWindow(tool.pid(), "#32770", "About TORVEL Support Tool");
  } else if (scene == "question" || scene == "confirmation") {
    bench::Click(main_window, ID_CMD_SAVE_TO_FILE);
    auto question = bench::WaitForMessageBox(tool.pid());
    target = question ? question->hwnd : nullptr;
    if (question && scene == "confirmation") {
      bench::Answer(*question, IDNO);
      auto confirmation = bench::WaitForMessageBox(tool.pid());
      target = confirmation ? confirmation->hwnd : nullptr;
    }
  }
  bool saved = target && SaveWindow(target, argv[2]);
  tool.Kill();
  return saved ? 0 : 1;
}
