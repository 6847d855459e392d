#include "commands/viewer_launcher.h"

#include <exception>

#include "platform/registry_reader.h"
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

bool GetKeyValue(Registry& registry, const std::string& root, const std::string& key_path,
                 const std::string& value_name, std::string* value) {
  RegValue read;
  const bool found =
      ReadRegistryValue(registry, root, key_path, value_name, "S", std::string(), read) == 0;
  // The viewer's own buffer holds no more than this; a longer value is no path it can use.
  const bool fits = found && std::get<std::string>(read).size() <= kKeyValueCapacity;
  *value = fits ? std::get<std::string>(read) : std::string();
  return fits;
}

std::optional<std::string> FindSysInfoProgram(Registry& registry, Files& files) {
  std::string path;
  if (GetKeyValue(registry, "HKLM", kSysInfoKey, kSysInfoPathValue, &path)) {
    return path;
  }
  std::string folder;
  if (GetKeyValue(registry, "HKLM", kSysInfoLocationKey, kSysInfoLocationValue, &folder)) {
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
