#pragma once
#include "platform/files.h"

namespace torvel {

class Win32Files : public Files {
 public:
  std::string ExeFolder() override;
  long Attributes(const std::string& path, std::uint32_t* attributes) override;
  long WriteWhole(const std::string& path, std::string_view bytes) override;
  long MoveReplacing(const std::string& from, const std::string& to) override;
  long Remove(const std::string& path) override;
  std::string ErrorText(long code) override;
  std::uint32_t ProcessId() override;
};

}  // namespace torvel
