// libmailprogram.dll: a mail program's Simple MAPI DLL, registered as the default one. A send
// writes what it was handed to kMapiRecord beside it: each recipient's address, subject,
// body, each attachment's path and name ("|" before each), CR LF, then the attachments' bytes;
// it answers Code= of kMapiSettings' [Answers] (0: SUCCESS_SUCCESS).
#include "programs/standin/standin.h"
#include "support/ui_driver.h"
// after windows.h (from ui_driver.h), which it needs
#include <mapi.h>

std::string Beside(const char* name) {
  char path[MAX_PATH];
  std::string dll(path, GetModuleFileNameA(GetModuleHandleA("libmailprogram.dll"), path, MAX_PATH));
  return dll.substr(0, dll.rfind('\\') + 1) + name;
}

// MAPISendMailW's message has MapiMessage's layout with wide texts.
std::string Text(LPSTR field) { return bench::U(field ? reinterpret_cast<wchar_t*>(field) : L""); }

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMailW(LHANDLE, ULONG_PTR, lpMapiMessage m, FLAGS, ULONG) {
  std::string line, content;
  for (ULONG i = 0; i < m->nRecipCount; ++i) line += "|" + Text(m->lpRecips[i].lpszAddress);
  line += "|" + Text(m->lpszSubject) + "|" + Text(m->lpszNoteText);
  for (ULONG i = 0; i < m->nFileCount; ++i) {
    line += "|" + Text(m->lpFiles[i].lpszPathName) + "|" + Text(m->lpFiles[i].lpszFileName);
    content += bench::ReadWholeFile(Text(m->lpFiles[i].lpszPathName)).value_or("(unreadable)");
  }
  bench::WriteWholeFile(Beside(standin::kMapiRecord), line + "\r\n" + content);
  return GetPrivateProfileIntA("Answers", "Code", 0, Beside(standin::kMapiSettings).c_str());
}
