#include "platform/win32/files_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/owned.h"
#include "platform/win32/system_text.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

long LastError() { return static_cast<long>(GetLastError()); }

// Everything on disk before the report counts as moved: a power cut after a run then finds
// either the previous report or this one, never an empty file.
constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
constexpr int kMoveAttempts = 10;
constexpr DWORD kMovePauseMs = 100;

}  // namespace

std::string Win32Files::ExeFolder() {
  std::vector<wchar_t> buffer(32768);
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), length);
  std::size_t separator = path.find_last_of(L'\\');
  std::string folder = Utf8(path.substr(0, separator == std::wstring::npos ? 0 : separator));
  // At a drive root the folder keeps its separator ("C:\"), as the platform gives it.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

long Win32Files::Attributes(const std::string& path, std::uint32_t* attributes) {
  DWORD found = GetFileAttributesW(Wide(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastError();
  *attributes = found;
  return 0;
}

long Win32Files::WriteWhole(const std::string& path, std::string_view bytes) {
  const std::wstring wide = Wide(path);
  // A leftover file of an earlier failed run may carry any attributes; start afresh.
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  UniqueFile file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr)) return LastError();
    bytes.remove_prefix(written);
  }
  if (!FlushFileBuffers(file.get())) return LastError();
  // Closing can report a deferred write error, so its result counts.
  return CloseHandle(file.release()) ? 0 : LastError();
}

long Win32Files::MoveReplacing(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  const std::wstring target = Wide(to);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(source.c_str(), target.c_str(), kMoveFlags)) return 0;
    long code = LastError();
    // A hidden or system report is replaced like any other; only read-only protects it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
        !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
      SetFileAttributesW(target.c_str(),
                         attributes & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
      if (MoveFileExW(source.c_str(), target.c_str(), kMoveFlags)) return 0;
      code = LastError();
      SetFileAttributesW(target.c_str(), attributes);
      return code;
    }
    // Another run replacing the same report at this moment, or a program that holds it open for
    // a moment: a few more tries before the run fails.
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) ||
        attempt == kMoveAttempts) {
      return code;
    }
    Sleep(kMovePauseMs);
  }
}

long Win32Files::Remove(const std::string& path) {
  return DeleteFileW(Wide(path).c_str()) ? 0 : LastError();
}

std::string Win32Files::ErrorText(long code) {
  std::string message = SystemMessageText(static_cast<unsigned long>(code));
  return message.empty() ? "Error " + std::to_string(code) : message;
}

std::uint32_t Win32Files::ProcessId() { return GetCurrentProcessId(); }

}  // namespace torvel
