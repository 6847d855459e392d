#include "text/app_info.h"

#include "text/text_forms.h"

namespace torvel {

std::string VersionText() {
  return PlainDecimal(kVersionMajor) + "." + PlainDecimal(kVersionMinor) + "." +
         PlainDecimal(kVersionRevision);
}

}  // namespace torvel
