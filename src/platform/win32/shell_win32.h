#pragma once
#include "platform/shell.h"

namespace torvel {

class Win32Shell : public Shell {
 public:
  bool Execute(WindowRef owner, const std::string& operation, const std::string& file,
               const std::string& parameters, const std::string& directory, int show) override;
  bool StartProgram(const std::string& path) override;
};

}  // namespace torvel
