#include "commands/viewer_launcher.h"

#include <exception>

#include "platform/registry_reader.h"
#include "text/app_info.h"

namespace torvel {

namespace {

// Like a directory search with the default attributes: hidden and system files and folders are
// not found.
bool DirectorySearchFinds(Files& files, const std::string& path) {
  const Result<std::uint32_t> attributes = files.Attributes(path);
  return attributes && (*attributes & (kAttrHidden | kAttrSystem | kAttrDirectory)) == 0;
}

}  // namespace

std::optional<std::string> GetKeyValue(Registry& registry, RegRoot root,
                                       const std::string& key_path, const std::string& value_name) {
  const RegRead<std::string> read =
      ReadRegistryValue<std::string>(registry, root, key_path, value_name);
  // The viewer's own buffer holds no more than this; a longer value is no path it can use.
  if (!read.found() || read.value.size() > kKeyValueCapacity) return std::nullopt;
  return read.value;
}

std::optional<std::string> FindSysInfoProgram(Registry& registry, Files& files) {
  constexpr RegRoot kRoot = RegRoot::kLocalMachine;
  if (auto path = GetKeyValue(registry, kRoot, kSysInfoKey, kSysInfoPathValue)) return path;
  if (auto folder = GetKeyValue(registry, kRoot, kSysInfoLocationKey, kSysInfoLocationValue)) {
    std::string program = *folder + kSysInfoProgram;
    if (DirectorySearchFinds(files, program)) return program;
  }
  return std::nullopt;
}

void StartSysInfo(Registry& registry, Files& files, Shell& shell, Dialogs& dialogs) {
  try {
    std::optional<std::string> program = FindSysInfoProgram(registry, files);
    if (program && shell.StartProgram(*program)) return;
  } catch (const std::exception&) {
    // Whatever went wrong, the user is told the one thing that matters.
  }
  dialogs.Show(kSysInfoUnavailable, kAppTitle, Buttons::kOk);
}

}  // namespace torvel
