#include "app/win32/about_dialog.h"

namespace torvel {

void ShowAboutDialog(HWND, const Platform&) {}

}  // namespace torvel
