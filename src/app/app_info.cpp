#include "app/app_info.h"

#include "report/text_forms.h"

namespace torvel {

std::string VersionText() {
  return PlainDecimal(kVersionMajor) + "." + PlainDecimal(kVersionMinor) + "." +
         PlainDecimal(kVersionRevision);
}

}  // namespace torvel
