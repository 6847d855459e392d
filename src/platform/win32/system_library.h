#pragma once
// Windows' own DLLs and the functions of theirs that a Windows may lack, always from the system
// itself: never a DLL of that name planted beside the tool.
#include <windows.h>

namespace torvel {

// Loads `dll` from the system folder by its full path or, where the program's manifest
// redirects it to a side-by-side version (the common controls 6), by the name the manifest
// resolves. The caller frees it; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* dll);

// `name` in `dll`, which is loaded once and kept for the process's life; null where this Windows
// lacks either.
FARPROC SystemProcedure(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcedure(dll, name)));
}

}  // namespace torvel
