#pragma once
// The host application section as the report should hold it, written out from the design's
// texts (not from the program's output); shared by the unit and the end-to-end tests.
#include <string>

namespace expected {

inline const std::string kHostNote =
    "(NOTE: How to read the Partwright Revision Number?\r\n"
    "Partwright prior to 2000 =>  1.0.  | Partwright 2004          => 12.0.\r\n"
    "Partwright 2000          =>  8.0.  | Partwright 2005          => 13.0.\r\n"
    "Partwright 2001          =>  9.0.  | Partwright 2006          => 14.0.\r\n"
    "Partwright 2001Plus      => 10.0.  | Partwright 2006Plus      => 15.0.\r\n"
    "Partwright 2003          => 11.0.  | Etc.</pre>\r\n"
    "\r\n";

// The whole section: the date code and revision as written after their labels, and the
// edition text of releases 2004, 2005 and 2006.
inline std::string HostSection(const std::string& date_code, const std::string& revision,
                               const std::string& e2004, const std::string& e2005,
                               const std::string& e2006) {
  return "<hr style=\"float: aligncenter; width: 50%;\" Align = center width=50%>\r\n"
         "<p style=\"font-weight: bold; x-text-underline: normal;\">Partwright Information</p>\r\n"
         "<pre>Partwright Date Code:       " +
         date_code + "\r\nPartwright Revision Number:  " + revision +
         "\r\nPartwright 2004 Installed version: " + e2004 +
         "\r\nPartwright 2005 Installed version: " + e2005 +
         "\r\nPartwright 2006 Installed version: " + e2006 + "\r\n\r\n" + kHostNote;
}

}  // namespace expected
