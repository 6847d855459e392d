#pragma once
#include <map>
#include <string>

#include "platform/files.h"

namespace torvel::testing {

// Files in memory. Any operation can be made to fail with a given code.
class FakeFiles : public Files {
 public:
  struct File {
    std::string content;
    std::uint32_t attributes = 0;
  };
  std::string exe_folder = "C:\\Program Files\\TORVEL";
  std::map<std::string, File> files;
  // Operation name ("WriteWhole", "MoveReplacing", "Remove", "Attributes") -> error code.
  std::map<std::string, long> fail;

  std::string ExeFolder() override { return exe_folder; }
  long Attributes(const std::string& path, std::uint32_t* attributes) override;
  long WriteWhole(const std::string& path, std::string_view bytes) override;
  long MoveReplacing(const std::string& from, const std::string& to) override;
  long Remove(const std::string& path) override;
  std::string ErrorText(long code) override { return "Error text " + std::to_string(code) + "."; }

 private:
  long Injected(const std::string& operation) const;
};

}  // namespace torvel::testing
