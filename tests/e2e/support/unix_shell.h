#pragma once
// What only the Unix side can do to Wine's files: links, and renames of files a program holds.
#include <string>

namespace bench {

// The Unix path of a Windows one; "/nonexistent" when Wine cannot tell.
std::string UnixPath(const std::string& path);

// Runs `script` (no double quotes in it) in a Unix shell in `folder` and waits (bounded) until it
// is done. Wine gives no handle on a Unix process, so the script says so by the file `done`
// there, removed again.
bool Sh(const std::string& folder, const std::string& script);

}  // namespace bench
