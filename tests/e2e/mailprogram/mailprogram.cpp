// mailprogram.dll: a mail program's Simple MAPI DLL, registered as the default mail program. A
// send writes what it was handed to kMapiRecord beside it: the entry point, each recipient's
// address, subject, body, each attachment's path and name ("|" between), CR LF, then the
// attachments' bytes; it answers Code= of kMapiSettings' [Answers] (0: SUCCESS_SUCCESS).
#include <windows.h>
// after windows.h, which it needs
#include <mapi.h>

#include <cstdio>
#include <string>

#include "programs/standin/standin.h"

namespace {

std::wstring Beside(const char* name) {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&Beside), &self);
  wchar_t path[MAX_PATH];
  std::wstring dll(path, GetModuleFileNameW(self, path, MAX_PATH));
  return dll.substr(0, dll.rfind(L'\\') + 1) + std::wstring(name, name + strlen(name));
}

std::wstring Wide(const wchar_t* text) { return text ? text : L""; }
std::wstring Wide(const char* text) {
  wchar_t wide[4096] = {};
  if (text) MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 4095);
  return wide;
}

// MAPISendMailW's message has MapiMessage's layout with wide texts.
template <typename Char>
ULONG Record(const char* entry, lpMapiMessage message) {
  auto text = [](LPSTR field) { return Wide(reinterpret_cast<const Char*>(field)); };
  std::wstring line = Wide(entry);
  for (ULONG i = 0; i < message->nRecipCount; ++i)
    line += L"|" + text(message->lpRecips[i].lpszAddress);
  line += L"|" + text(message->lpszSubject) + L"|" + text(message->lpszNoteText);
  std::string content;
  for (ULONG i = 0; i < message->nFileCount; ++i) {
    const std::wstring path = text(message->lpFiles[i].lpszPathName);
    line += L"|" + path + L"|" + text(message->lpFiles[i].lpszFileName);
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
      for (int c; (c = fgetc(file)) != EOF;) content += static_cast<char>(c);
      fclose(file);
    }
  }
  char utf8[65536] = {};
  WideCharToMultiByte(CP_UTF8, 0, (line + L"\r\n").c_str(), -1, utf8, sizeof utf8 - 1, nullptr,
                      nullptr);
  if (FILE* record = _wfopen(Beside(standin::kMapiRecord).c_str(), L"wb")) {
    fputs((utf8 + content).c_str(), record);
    fclose(record);
  }
  return GetPrivateProfileIntW(L"Answers", L"Code", 0, Beside(standin::kMapiSettings).c_str());
}

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMailW(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG) {
  return Record<wchar_t>("W", message);
}
extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG) {
  return Record<char>("A", message);
}
