#include "platform/win32/files_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/owned.h"
#include "platform/win32/system_text.h"

namespace torvel {

namespace {

long LastError() { return static_cast<long>(GetLastError()); }

}  // namespace

std::string Win32Files::ExeFolder() {
  std::vector<char> buffer(32768);
  DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::string path(buffer.data(), length);
  std::string folder =
      path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
  // At a drive root the folder keeps its separator ("C:\"), as the platform gives it.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

long Win32Files::Attributes(const std::string& path, std::uint32_t* attributes) {
  DWORD found = GetFileAttributesA(path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastError();
  *attributes = found;
  return 0;
}

long Win32Files::WriteWhole(const std::string& path, std::string_view bytes) {
  // A leftover file of an earlier failed run may carry any attributes; start afresh.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr)) return LastError();
    bytes.remove_prefix(written);
  }
  // Closing can report a deferred write error, so its result counts.
  return CloseHandle(file.release()) ? 0 : LastError();
}

long Win32Files::MoveReplacing(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  long code = LastError();
  // A hidden or system report is replaced like any other; only read-only protects it.
  DWORD attributes = GetFileAttributesA(to.c_str());
  if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
      !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    SetFileAttributesA(to.c_str(), attributes & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    code = LastError();
    SetFileAttributesA(to.c_str(), attributes);
  }
  return code;
}

long Win32Files::Remove(const std::string& path) {
  return DeleteFileA(path.c_str()) ? 0 : LastError();
}

std::string Win32Files::ErrorText(long code) {
  std::string message = SystemMessageText(static_cast<unsigned long>(code));
  return message.empty() ? "Error " + std::to_string(code) : message;
}

}  // namespace torvel
