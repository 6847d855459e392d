#pragma once
// Files: the tool's own folder and what writing a report whole needs. A failure carries the
// system's code and its text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace torvel {

// Windows' file attribute bits that the tool looks at.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

// A file this run created and still holds open.
using FileRef = std::uintptr_t;

// Place's code when the report's name, once the file was moved, leads to some other file:
// another program renamed the run's file or put something in its way.
inline constexpr long kChangedByAnother = 1006;

// One name in a folder, as a directory listing gives it.
struct FolderEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::uint64_t age_ms = 0;  // since it was last written
};

class Files {
 public:
  virtual ~Files() = default;
  // Folder of the running executable: no trailing separator except at a drive root ("C:\").
  virtual std::string ExeFolder() = 0;
  // The user's Documents folder and temporary folder, in the same form; empty when unknown.
  virtual std::string DocumentsFolder() = 0;
  virtual std::string TemporaryFolder() = 0;
  // The attributes of what the path names; code 2 (or 3) when nothing does.
  virtual Result<std::uint32_t> Attributes(const std::string& path) = 0;
  // Creates a new file and keeps it open, shared with nobody. Fails (80) when anything at all, a
  // file, a folder or a link, already has that name: nobody can hand the run a file of theirs.
  virtual Result<FileRef> CreateNew(const std::string& path) = 0;
  // Writes all of `bytes` to the open file and flushes them to the disk.
  virtual Status WriteAll(FileRef file, std::string_view bytes) = 0;
  // Renames the open file itself onto `to`, replacing it, then closes it. No name is looked up
  // on the way. kChangedByAnother when `to` then leads to another file: the file is closed and
  // nothing is removed. Any other failure comes before the rename and leaves the file held.
  virtual Status Place(FileRef file, const std::string& to) = 0;
  // Removes a file still held through its handle and closes it; never for one Place closed.
  virtual void Discard(FileRef file) = 0;
  // True when the two full paths name one file, in any spelling, or through a link where the
  // file exists.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // The names that match a path whose last part has wildcards ("C:\dir\~TRV*.tmp").
  virtual std::vector<FolderEntry> List(const std::string& pattern) = 0;
  // Removes a file that no program holds open (a link itself, not what it points to); fails
  // while one does.
  virtual Status Remove(const std::string& path) = 0;
  // The system's text for an error code, without a trailing line break.
  virtual std::string ErrorText(long code) = 0;
  // A number nobody can guess, for names that nobody can plant in advance.
  virtual std::uint32_t Random() = 0;
};

}  // namespace torvel
