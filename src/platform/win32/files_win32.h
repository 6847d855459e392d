#pragma once
#include <map>
#include <string>

#include "platform/files.h"

namespace torvel {

class Win32Files : public Files {
 public:
  std::string ExeFolder() override;
  long Attributes(const std::string& path, std::uint32_t* attributes) override;
  long CreateNew(const std::string& path, FileRef* file) override;
  long WriteAll(FileRef file, std::string_view bytes) override;
  long Place(FileRef file, const std::string& to) override;
  void Discard(FileRef file) override;
  std::vector<FolderEntry> List(const std::string& pattern) override;
  long Remove(const std::string& path) override;
  std::string ErrorText(long code) override;
  std::uint32_t Random() override;

 private:
  // The path each open file was created under.
  std::map<FileRef, std::wstring> open_;
};

// The path in the form the wide file functions take beyond MAX_PATH: "\\?\C:\..." or
// "\\?\UNC\server\share\...", for a full path that needs it.
std::wstring LongPath(const std::wstring& path);

}  // namespace torvel
