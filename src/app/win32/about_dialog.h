#pragma once
#include <windows.h>

#include "platform/platform.h"

namespace torvel {

// Shows the About dialog modally; it is built afresh at every opening.
void ShowAboutDialog(HWND owner, const Platform& p);

}  // namespace torvel
