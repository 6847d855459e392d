#include "commands/viewer_launcher.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "text/app_info.h"

namespace torvel {

namespace {

// Like a directory search with the default attributes: hidden and system files and folders are
// not found.
bool DirectorySearchFinds(Files& files, const std::string& path) {
  std::uint32_t attributes = 0;
  return files.Attributes(path, &attributes) == 0 &&
         (attributes & (kAttrHidden | kAttrSystem | kAttrDirectory)) == 0;
}

}  // namespace

bool GetKeyValue(Registry& registry, RegKey root, const std::string& key_path,
                 const std::string& value_name, std::string* value) {
  RegKey handle = 0;
  if (registry.OpenKey(root, key_path, &handle) != 0) {
    value->clear();
    return false;
  }
  // Closed on every way out: a failed read as much as a good one.
  OpenedKey key(registry, handle);
  std::vector<std::uint8_t> buffer(kKeyValueCapacity, 0);
  std::uint32_t type = 0;
  std::uint32_t size = kKeyValueCapacity;
  if (registry.QueryValue(key.get(), value_name, &type, buffer.data(), &size) != 0) {
    value->clear();
    return false;
  }
  // Never trust a reported size beyond the bytes the buffer can hold.
  size = std::min(size, kKeyValueCapacity);
  if (type == kRegSz) {
    if (size > 0 && buffer[size - 1] == 0) --size;
    value->assign(buffer.begin(), buffer.begin() + size);
  } else if (type == kRegDword) {
    const std::uint32_t number = LittleEndianDword(buffer.data(), size);
    *value = std::to_string(number);
  }
  return true;
}

std::optional<std::string> FindSysInfoProgram(Registry& registry, Files& files) {
  std::string path;
  if (GetKeyValue(registry, kHkeyLocalMachine, kSysInfoKey, kSysInfoPathValue, &path)) {
    return path;
  }
  std::string folder;
  if (GetKeyValue(registry, kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                  &folder)) {
    std::string program = folder + kSysInfoProgram;
    if (DirectorySearchFinds(files, program)) return program;
  }
  return std::nullopt;
}

void StartSysInfo(const Platform& p) {
  try {
    std::optional<std::string> program = FindSysInfoProgram(p.registry, p.files);
    if (program && p.shell.StartProgram(*program)) return;
  } catch (const std::exception&) {
    // Whatever went wrong, the user is told the one thing that matters.
  }
  p.dialogs.Show(kSysInfoUnavailable, kAppTitle, Buttons::kOk);
}

}  // namespace torvel
