#pragma once
// The tool's name, version and built-in texts.
#include <string>

namespace torvel {

inline constexpr char kAppTitle[] = "TORVEL Support Tool";
inline constexpr char kProductName[] = "TORVEL Support Tool";
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;
// The address of technical support that the recipient field starts with.
inline constexpr char kSupportAddress[] = "support@torvel.example.com";
inline constexpr char kLegalNotice[] = "(C) TORVEL";

// "2.1.0": each number in plain decimal.
std::string VersionText();

}  // namespace torvel
