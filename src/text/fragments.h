#pragma once
// Fixed HTML texts that several sections of the report write.

#include <string>

namespace torvel {

inline constexpr char kSectionRule[] =
    "<hr style=\"float: aligncenter; width: 50%;\" Align = center width=50%>";
inline constexpr char kBoldHeadingPrefix[] =
    "<p style=\"font-weight: bold; x-text-underline: normal;\">";
inline constexpr char kMonospaceBlockPrefix[] =
    "<p style=\"font-family: 'Courier New', monospace; font-size: 10.0pt;\">";

// The report is UTF-8 and says so right after <head>.
inline constexpr char kCharsetDeclaration[] =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

// The report's file name, and the texts that name it.
inline constexpr char kReportFileName[] = "TORVEL Info.htm";
inline constexpr char kJsonFileName[] = "TORVEL Info.json";
inline const std::string kReportFileText = std::string(kReportFileName) + " File";
inline const std::string kReportAttachedText = std::string(kReportFileName) + " file attached";

}  // namespace torvel
