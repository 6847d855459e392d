#pragma once
#include <string>

#include "platform/files.h"

namespace torvel {

class Win32Files : public Files {
 public:
  // `as_on_xp` takes the road of Windows XP, ntdll's calls, even where kernel32 has its own.
  explicit Win32Files(bool as_on_xp = false) : as_on_xp_(as_on_xp) {}
  std::string ExeFolder() override;
  std::string DocumentsFolder() override;
  std::string TemporaryFolder() override;
  Result<std::uint32_t> Attributes(const std::string& path) override;
  Result<FileRef> CreateNew(const std::string& path) override;
  Status WriteAll(FileRef file, std::string_view bytes) override;
  Status Place(FileRef file, const std::string& to) override;
  void Discard(FileRef file) override;
  std::vector<FolderEntry> List(const std::string& pattern) override;
  Status Remove(const std::string& path) override;
  std::string ErrorText(long code) override;
  std::uint32_t Random() override;
  bool SameFile(const std::string& a, const std::string& b) override;

 private:
  // Sets a rename or disposition (ntdll's class numbers) on the open file: 0 or the error.
  long SetInformation(FileRef file, int kind, void* info, unsigned long size);
  long Rename(FileRef file, const std::wstring& to);

  bool as_on_xp_;
};

// The path in the form the wide file functions take beyond MAX_PATH: "\\?\C:\..." or
// "\\?\UNC\server\share\...", for a full path that needs it.
std::wstring LongPath(const std::wstring& path);

}  // namespace torvel
