#include "platform/win32/common_controls.h"

#include "platform/win32/system_library.h"

namespace torvel::controls {

namespace {

// The function `name` of the common controls (version 6, as the manifest asks), or null.
template <typename Function>
Function Find(const char* name) {
  return SystemFunction<Function>(L"comctl32.dll", name);
}

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  auto call = Find<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
  return call && call(init);
}

HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow) {
  auto call = Find<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>("ImageList_Create");
  return call ? call(width, height, flags, initial, grow) : nullptr;
}

int ImageListAddIcon(HIMAGELIST images, HICON icon) {
  auto call = Find<int(WINAPI*)(HIMAGELIST, int, HICON)>("ImageList_ReplaceIcon");
  return call && images ? call(images, -1, icon) : -1;
}

BOOL ImageListDestroy(HIMAGELIST images) {
  auto call = Find<BOOL(WINAPI*)(HIMAGELIST)>("ImageList_Destroy");
  return call && call(images);
}

}  // namespace torvel::controls
