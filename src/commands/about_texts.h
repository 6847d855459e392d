#pragma once
// The texts of the About dialog, built afresh each time it opens.
#include <string>

namespace torvel {

struct AboutTexts {
  std::string caption;      // the dialog's caption
  std::string title;        // lblTitle
  std::string version;      // lblVersion: version, a gap, the legal notice
  std::string description;  // lblDescription
  std::string disclaimer;   // lblDisclaimer: the credit line
};

AboutTexts BuildAboutTexts();

}  // namespace torvel
