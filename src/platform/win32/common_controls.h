#pragma once
// The common controls, loaded when the window first needs them rather than when the program
// starts: the silent mode never pays for them (under Wine, loading them and what they bring is
// most of what a silent report costs beyond asking for its facts). Each call fails like its
// namesake when the library cannot be had.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

namespace torvel::controls {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow);
int ImageListAddIcon(HIMAGELIST images, HICON icon);
BOOL ImageListDestroy(HIMAGELIST images);

}  // namespace torvel::controls
