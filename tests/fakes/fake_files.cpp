#include "fakes/fake_files.h"

namespace torvel::testing {

long FakeFiles::Injected(const std::string& operation) const {
  auto it = fail.find(operation);
  return it == fail.end() ? 0 : it->second;
}

long FakeFiles::Attributes(const std::string& path, std::uint32_t* attributes) {
  if (long code = Injected("Attributes")) return code;
  auto it = files.find(path);
  if (it == files.end()) return 2;
  *attributes = it->second.attributes;
  return 0;
}

long FakeFiles::WriteWhole(const std::string& path, std::string_view bytes) {
  if (long code = Injected("WriteWhole")) return code;
  auto it = files.find(path);
  if (it != files.end() && (it->second.attributes & kAttrReadOnly)) return 5;
  files[path] = File{std::string(bytes), 0};
  return 0;
}

long FakeFiles::MoveReplacing(const std::string& from, const std::string& to) {
  if (long code = Injected("MoveReplacing")) return code;
  auto source = files.find(from);
  if (source == files.end()) return 2;
  auto target = files.find(to);
  if (target != files.end() && (target->second.attributes & kAttrReadOnly)) return 5;
  File moved = source->second;
  files.erase(source);
  files[to] = moved;
  return 0;
}

long FakeFiles::Remove(const std::string& path) {
  if (long code = Injected("Remove")) return code;
  return files.erase(path) ? 0 : 2;
}

}  // namespace torvel::testing
