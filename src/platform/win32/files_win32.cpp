#include "platform/win32/files_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>
// after windows.h, which they need
#include <ntsecapi.h>
#include <shlobj.h>

#include "platform/win32/owned.h"
#include "platform/win32/system_library.h"
#include "platform/win32/system_text.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

long LastError() { return static_cast<long>(GetLastError()); }

// The code with the system's text for it.
ErrorInfo Failed(long code = LastError()) {
  std::string message = SystemMessageText(static_cast<unsigned long>(code));
  return {code, message.empty() ? "Error " + std::to_string(code) : message};
}

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

namespace {

// A folder in ExeFolder's form: its separator kept only at a drive root ("C:\").
std::string FolderForm(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return Utf8(path);
}

}  // namespace

std::string Win32Files::DocumentsFolder() {
  wchar_t path[MAX_PATH] = L"";
  // CSIDL_PERSONAL: every Windows from XP on has it.
  return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))
             ? FolderForm(path)
             : std::string();
}

std::string Win32Files::TemporaryFolder() {
  wchar_t path[MAX_PATH + 1] = L"";
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  return length > 0 && length <= MAX_PATH ? FolderForm({path, length}) : std::string();
}

std::wstring LongPath(const std::wstring& path) {
  // CreateDirectory's limit, the lowest of the file functions'.
  constexpr std::size_t kShortLimit = MAX_PATH - 12;
  if (path.size() < kShortLimit || path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  return path;
}

Result<std::uint32_t> Win32Files::Attributes(const std::string& path) {
  DWORD found = GetFileAttributesW(LongPath(Wide(path)).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return Failed();
  return static_cast<std::uint32_t>(found);
}

Result<FileRef> Win32Files::CreateNew(const std::string& path) {
  // Shared with nobody: nobody else can read, write, rename or remove it while the run holds it.
  // DELETE lets the run itself rename it into place or remove it through this handle.
  HANDLE handle =
      CreateFileW(LongPath(Wide(path)).c_str(), GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, 0,
                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Failed();
  return reinterpret_cast<FileRef>(handle);
}

Status Win32Files::WriteAll(FileRef file, std::string_view bytes) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return Failed();
    bytes.remove_prefix(written);
  }
  if (!FlushFileBuffers(handle)) return Failed();
  return Done{};
}

namespace {

// The full path of an open file as the system resolves it; empty when it cannot tell.
std::wstring FinalPath(HANDLE file) {
  static const auto final_path = SystemFunction<DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD)>(
      L"kernel32.dll", "GetFinalPathNameByHandleW");
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

// Opened only to ask which file it is; `flags` say whether a link is followed.
UniqueFile OpenToIdentify(const std::wstring& path, DWORD flags) {
  return UniqueFile(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// True when both handles are on one file: the same volume and the same file index.
bool SameIdentity(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// The NT form of a full path, which ntdll's calls take: "\??\C:\..." or "\??\UNC\server\...".
std::wstring NtPath(const std::wstring& path) {
  if (path.starts_with(L"\\\\?\\")) return L"\\??\\" + path.substr(4);
  if (path.starts_with(L"\\\\")) return L"\\??\\UNC\\" + path.substr(2);
  return L"\\??\\" + path;
}

// ntdll's information classes and answer, for XP, which has no SetFileInformationByHandle.
constexpr ULONG kNtRenameInformation = 10;
constexpr ULONG kNtDispositionInformation = 13;
struct NtIoStatus {
  LONG status;
  ULONG_PTR information;
};

}  // namespace

long Win32Files::SetInformation(FileRef file, int kind, void* info, unsigned long size) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  static const auto set_info =
      SystemFunction<BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD)>(
          L"kernel32.dll", "SetFileInformationByHandle");
  if (set_info && !as_on_xp_) {
    const auto by_handle = kind == kNtRenameInformation ? FileRenameInfo : FileDispositionInfo;
    return set_info(handle, by_handle, info, size) ? 0 : LastError();
  }
  static const auto nt_set =
      SystemFunction<LONG(WINAPI*)(HANDLE, NtIoStatus*, PVOID, ULONG, ULONG)>(
          L"ntdll.dll", "NtSetInformationFile");
  static const auto dos_error =
      SystemFunction<ULONG(WINAPI*)(LONG)>(L"ntdll.dll", "RtlNtStatusToDosError");
  if (!nt_set || !dos_error) return ERROR_NOT_SUPPORTED;
  NtIoStatus io{};
  const LONG status = nt_set(handle, &io, info, size, kind);
  return status >= 0 ? 0 : static_cast<long>(dos_error(status));
}

long Win32Files::Rename(FileRef file, const std::wstring& to) {
  // The kernel32 call takes the path as the file functions do; ntdll's takes its NT form.
  const std::wstring name = as_on_xp_ ? NtPath(to) : to;
  std::vector<std::uint8_t> buffer(offsetof(FILE_RENAME_INFO, FileName) +
                                   (name.size() + 1) * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::copy(name.begin(), name.end(), info->FileName);
  return SetInformation(file, kNtRenameInformation, info,
                        static_cast<unsigned long>(buffer.size()));
}

Status Win32Files::Place(FileRef file, const std::string& to) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  const std::wstring target = LongPath(Wide(to));
  for (int attempt = 1;; ++attempt) {
    long code = Rename(file, target);
    if (code == 0) break;
    // A hidden or system report is replaced like any other; only read-only protects it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
        !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
      SetFileAttributesW(target.c_str(),
                         attributes & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
      if ((code = Rename(file, target)) == 0) break;
      SetFileAttributesW(target.c_str(), attributes);
      return Failed(code);
    }
    // Another run replacing the same report at this moment, or a program that holds it open for
    // a moment: a few more tries before the run fails.
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) ||
        attempt == kMoveAttempts) {
      return Failed(code);
    }
    Sleep(kMovePauseMs);
  }
  // Where another program could rename the file while the run held it (Wine beside native
  // programs, some network shares), the rename may have moved whatever took its name. The
  // report's name must now lead to the run's own file; if not, nothing is removed: under Wine
  // this handle may stand for what a link there leads to.
  UniqueFile named = OpenToIdentify(target, FILE_FLAG_OPEN_REPARSE_POINT);
  const bool ours = named && SameIdentity(handle, named.get());
  named.reset();
  // The rename on the disk too, as the data already is. The file is in place now, whatever
  // the flush says: it is closed here and never discarded.
  FlushFileBuffers(handle);
  CloseHandle(handle);
  if (!ours) return ErrorInfo{kChangedByAnother, ""};
  return Done{};
}

void Win32Files::Discard(FileRef file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  SetInformation(file, kNtDispositionInformation, &disposition, sizeof disposition);
  CloseHandle(reinterpret_cast<HANDLE>(file));
}

bool Win32Files::SameFile(const std::string& a, const std::string& b) {
  // The spelling undone: "\\?\", "." and "..", letter case, short names of what exists.
  auto canonical = [](const std::string& path) {
    std::wstring wide = Wide(path);
    if (wide.starts_with(L"\\\\?\\UNC\\")) wide = L"\\\\" + wide.substr(8);
    if (wide.starts_with(L"\\\\?\\")) wide = wide.substr(4);
    std::vector<wchar_t> buffer(32768);
    DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length > 0 && length < buffer.size()) wide.assign(buffer.data(), length);
    // Long names of the file where it exists, else of its folder.
    const std::size_t cut = wide.find_last_of(L'\\');
    for (const std::wstring& part : {wide, wide.substr(0, cut)}) {
      length = GetLongPathNameW(LongPath(part).c_str(), buffer.data(),
                                static_cast<DWORD>(buffer.size()));
      if (length > 0 && length < buffer.size()) {
        std::wstring found(buffer.data(), length);
        if (found.starts_with(L"\\\\?\\")) found = found.substr(4);
        return part.size() == wide.size() ? found : found + wide.substr(cut);
      }
    }
    return wide;
  };
  if (SamePath(canonical(a), canonical(b))) return true;
  // Links and other names of one file, where it exists.
  UniqueFile first = OpenToIdentify(LongPath(Wide(a)), 0),
             second = OpenToIdentify(LongPath(Wide(b)), 0);
  return first && second && SameIdentity(first.get(), second.get());
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

Status Win32Files::Remove(const std::string& path) {
  const std::wstring wide = LongPath(Wide(path));
  // Opened for nobody else, so only when nobody holds it: a run writing its file shares it with
  // a deleter alone.
  UniqueFile file(CreateFileW(wide.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return Failed();
  // Wine opens what a Unix link points to whatever the flag says: only a file whose own path is
  // this one is removed, never what a link planted under a leftover's name leads to.
  const std::size_t cut = wide.find_last_of(L'\\');
  UniqueFile folder(CreateFileW(wide.substr(0, cut + 1).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  std::wstring want = FinalPath(folder.get()), got = FinalPath(file.get());
  while (!want.empty() && want.back() == L'\\') want.pop_back();
  want += L'\\' + wide.substr(cut + 1);
  if (got.empty() || !SamePath(want, got)) return Failed(ERROR_ACCESS_DENIED);
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (const long code = SetInformation(reinterpret_cast<FileRef>(file.get()),
                                       kNtDispositionInformation, &disposition, sizeof disposition))
    return Failed(code);
  return Done{};
}

std::string Win32Files::ErrorText(long code) { return Failed(code).text; }

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
