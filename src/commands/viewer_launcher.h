#pragma once
// Finds and starts the platform's system-information viewer for the About dialog.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace torvel {

// The key whose "PATH" value names the viewer program itself.
inline constexpr char kSysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoPathValue[] = "PATH";
// The key whose "MSINFO" value names the folder that holds the viewer.
inline constexpr char kSysInfoLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoLocationValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "\\MSINFO32.EXE";
inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// The longest value that can name the viewer.
inline constexpr std::size_t kKeyValueCapacity = 1024;

// `value_name` of `key_path` below `root` as text, through the registry reader; nothing when it
// cannot be read or is longer than kKeyValueCapacity.
std::optional<std::string> GetKeyValue(Registry& registry, RegRoot root,
                                       const std::string& key_path, const std::string& value_name);

// The viewer's path: the "PATH" value as it stands, or else the "MSINFO" folder plus the
// program name when a directory search finds that file. Nothing when neither applies.
std::optional<std::string> FindSysInfoProgram(Registry& registry, Files& files);

// Starts the viewer in a normal window; when it cannot be found or started, or a service fails
// on the way, shows the one message kSysInfoUnavailable titled with the application title.
void StartSysInfo(Registry& registry, Files& files, Shell& shell, Dialogs& dialogs);

}  // namespace torvel
