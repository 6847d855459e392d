// A second yardstick: a Windows program that only reads the screen's width, the least a report
// of the display needs (under Wine that starts the display driver).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return GetSystemMetrics(SM_CXSCREEN) > 0 ? 0 : 1;
}
