#pragma once
// Controls placed as the windows were designed: in twips, converted at the actual resolution.
#include <windows.h>

#include <span>

#include "platform/win32/utf8.h"

namespace torvel {

// Positions in twips (1/1440 inch): left, top, width, height.
struct ControlSpec {
  int id;
  const char* window_class;
  const char* text;
  int left, top, width, height;
  DWORD style;
  DWORD ex_style = 0;
};

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// Creates the controls in the given order, which is their tab order, each with `font`.
inline void CreateControls(HWND parent, std::span<const ControlSpec> controls, int dpi,
                           HFONT font) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  for (const ControlSpec& c : controls) {
    HWND control =
        CreateWindowExW(c.ex_style, Wide(c.window_class).c_str(), Wide(c.text).c_str(), c.style,
                        TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi),
                        TwipsToPixels(c.width, dpi), TwipsToPixels(c.height, dpi), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

}  // namespace torvel
