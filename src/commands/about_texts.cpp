#include "commands/about_texts.h"

#include "text/app_info.h"

namespace torvel {

AboutTexts BuildAboutTexts() {
  const std::string title = kAppTitle;
  AboutTexts texts;
  texts.caption = "About " + title;
  texts.version = "Version " + VersionText() + std::string(14, ' ') + kLegalNotice;
  texts.title = title;
  texts.description = title +
                      " is a utility that retrieves information about the configuration of the "
                      "computer and about installed TORVEL Products. ";
  texts.disclaimer = title + " created by TORVEL Tech Support";
  return texts;
}

}  // namespace torvel
