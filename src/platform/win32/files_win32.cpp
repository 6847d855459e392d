#include "platform/win32/files_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>
// after windows.h, which it needs
#include <ntsecapi.h>

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

std::wstring LongPath(const std::wstring& path) {
  // CreateDirectory's limit, the lowest of the file functions'.
  constexpr std::size_t kShortLimit = MAX_PATH - 12;
  if (path.size() < kShortLimit || path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  return path;
}

long Win32Files::Attributes(const std::string& path, std::uint32_t* attributes) {
  DWORD found = GetFileAttributesW(LongPath(Wide(path)).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastError();
  *attributes = found;
  return 0;
}

long Win32Files::CreateNew(const std::string& path, FileRef* file) {
  const std::wstring wide = LongPath(Wide(path));
  // Shared for deleting only, so that the move into place can take it while it is held; nobody
  // else can read or write it meanwhile.
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  *file = reinterpret_cast<FileRef>(handle);
  open_[*file] = wide;
  return 0;
}

long Win32Files::WriteAll(FileRef file, std::string_view bytes) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return LastError();
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(handle) ? 0 : LastError();
}

namespace {

// The kernel32 functions of Vista on, where the program finds them; XP has none of them.
template <typename Function>
Function Vista(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// The full path of an open file as the system resolves it; empty when it cannot tell.
std::wstring FinalPath(HANDLE file) {
  static const auto final_path =
      Vista<DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD)>("GetFinalPathNameByHandleW");
  std::vector<wchar_t> buffer(32768);
  const DWORD length = final_path && file != INVALID_HANDLE_VALUE
                           ? final_path(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0)
                           : 0;
  return length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

// Removes the file an open handle is on, wherever its name now leads; 0 or the error.
long MarkForDeletion(HANDLE file) {
  static const auto set_info =
      Vista<BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD)>(
          "SetFileInformationByHandle");
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!set_info) return ERROR_NOT_SUPPORTED;
  return set_info(file, FileDispositionInfo, &disposition, sizeof disposition) ? 0 : LastError();
}

// True when `path` names, without following a link, the very file that `held` is open on.
bool StillOurs(HANDLE held, const std::wstring& path) {
  UniqueFile named(CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION ours{}, theirs{};
  return named && GetFileInformationByHandle(held, &ours) &&
         GetFileInformationByHandle(named.get(), &theirs) &&
         !(theirs.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
         ours.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
         ours.nFileIndexHigh == theirs.nFileIndexHigh && ours.nFileIndexLow == theirs.nFileIndexLow;
}

}  // namespace

long Win32Files::Place(FileRef file, const std::string& to) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  const std::wstring& source = open_.at(file);
  const std::wstring target = LongPath(Wide(to));
  for (int attempt = 1;; ++attempt) {
    // Whatever someone put under the temporary name meanwhile is never moved into place.
    if (!StillOurs(handle, source)) return ERROR_FILE_INVALID;
    if (MoveFileExW(source.c_str(), target.c_str(), kMoveFlags)) break;
    long code = LastError();
    // A hidden or system report is replaced like any other; only read-only protects it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
        !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
      SetFileAttributesW(target.c_str(),
                         attributes & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
      if (MoveFileExW(source.c_str(), target.c_str(), kMoveFlags)) break;
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
  open_.erase(file);
  // Closing can report a deferred write error, so its result counts.
  return CloseHandle(handle) ? 0 : LastError();
}

void Win32Files::Discard(FileRef file) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  // Removed through the handle, whatever its name now leads to; where that cannot be done (XP),
  // by its name while still held, and only while the name is still ours.
  if (MarkForDeletion(handle) != 0 && StillOurs(handle, open_.at(file)))
    DeleteFileW(open_.at(file).c_str());
  open_.erase(file);
  CloseHandle(handle);
}

std::vector<FolderEntry> Win32Files::List(const std::string& pattern) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(LongPath(Wide(pattern)).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  FILETIME now_time;
  GetSystemTimeAsFileTime(&now_time);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const std::uint64_t now = ticks(now_time);
  do {
    const std::uint64_t written = ticks(found.ftLastWriteTime);
    entries.push_back({Utf8(found.cFileName), found.dwFileAttributes,
                       now > written ? (now - written) / 10000 : 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

long Win32Files::Remove(const std::string& path) {
  const std::wstring wide = LongPath(Wide(path));
  // Opened for nobody else, so only when nobody holds it: a run writing its file shares it with
  // a deleter alone.
  UniqueFile file(CreateFileW(wide.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return LastError();
  // Wine opens what a Unix link points to whatever the flag says: only a file whose own path is
  // this one is removed, never what a link planted under a leftover's name leads to.
  const std::size_t cut = wide.find_last_of(L'\\');
  UniqueFile folder(CreateFileW(wide.substr(0, cut + 1).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  std::wstring want = FinalPath(folder.get()), got = FinalPath(file.get());
  while (!want.empty() && want.back() == L'\\') want.pop_back();
  want += L'\\' + wide.substr(cut + 1);
  if (got.empty() || !SamePath(want, got)) return ERROR_ACCESS_DENIED;
  return MarkForDeletion(file.get());
}

std::string Win32Files::ErrorText(long code) {
  std::string message = SystemMessageText(static_cast<unsigned long>(code));
  return message.empty() ? "Error " + std::to_string(code) : message;
}

std::uint32_t Win32Files::Random() {
  std::uint32_t number = 0;
  // RtlGenRandom, exported under this name since XP.
  if (!RtlGenRandom(&number, sizeof number)) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    number = counter.LowPart ^ (GetCurrentProcessId() << 16) ^ GetTickCount();
  }
  return number;
}

}  // namespace torvel
