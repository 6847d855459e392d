#pragma once
#include <windows.h>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace torvel {

// Shows the About dialog modally; it is built afresh at every opening.
// Its button starts the system-information viewer, found through `registry` and `files`.
void ShowAboutDialog(HWND owner, Registry& registry, Files& files, Shell& shell);

}  // namespace torvel
