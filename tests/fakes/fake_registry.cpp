#include "fakes/fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace torvel::testing {

namespace {

constexpr long kNotFound = 2;
constexpr long kInvalidHandle = 6;
constexpr long kMoreData = 234;
constexpr long kNoAccess = 998;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string FakeRegistry::Normalise(const std::string& path) {
  std::string lower = Lower(path);
  if (!lower.empty() && lower.back() == '\\') lower.pop_back();
  return lower;
}

bool FakeRegistry::IsRoot(RegKey key) {
  return key == kHkeyClassesRoot || key == kHkeyCurrentUser || key == kHkeyLocalMachine ||
         key == kHkeyUsers || key == kHkeyCurrentConfig || key == kHkeyDynData;
}

void FakeRegistry::AddKey(RegKey root, const std::string& path) {
  std::string normalised = Normalise(path);
  keys_[{root, ""}];
  for (std::size_t pos = normalised.find('\\'); pos != std::string::npos;
       pos = normalised.find('\\', pos + 1)) {
    keys_[{root, normalised.substr(0, pos)}];
  }
  keys_[{root, normalised}];
}

void FakeRegistry::SetValue(RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t type, std::vector<std::uint8_t> bytes) {
  AddKey(root, path);
  keys_[{root, Normalise(path)}].values[Lower(name)] = Value{type, std::move(bytes)};
}

void FakeRegistry::SetString(RegKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  SetValue(root, path, name, kRegSz, std::move(bytes));
}

void FakeRegistry::SetDword(RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t value) {
  SetValue(root, path, name, kRegDword,
           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void FakeRegistry::Fail(RegOp op, long code, const std::string& path,
                        const std::string& value_name) {
  faults_.push_back(Fault{op, code, Normalise(path), Lower(value_name)});
}

void FakeRegistry::FailNthCall(int n, long code) {
  fail_nth_call_ = n;
  fail_nth_code_ = code;
}

void FakeRegistry::ClearFaults() {
  faults_.clear();
  fail_nth_call_ = 0;
}

void FakeRegistry::ResetCounts() {
  open_calls_ = query_calls_ = close_calls_ = 0;
  open_log_.clear();
}

FakeRegistry::Key* FakeRegistry::Find(RegKey root, const std::string& normalised_path) {
  auto it = keys_.find({root, normalised_path});
  return it == keys_.end() ? nullptr : &it->second;
}

long FakeRegistry::Injected(RegOp op, const std::string& path, const std::string& value_name) {
  if (fail_nth_call_ != 0 && calls() == fail_nth_call_) return fail_nth_code_;
  for (const Fault& fault : faults_) {
    if (fault.op == op && (fault.path.empty() || fault.path == path) &&
        (fault.value_name.empty() || fault.value_name == Lower(value_name))) {
      return fault.code;
    }
  }
  return 0;
}

long FakeRegistry::OpenKey(RegKey root, const std::string& path, RegKey* key) {
  ++open_calls_;
  open_log_.push_back(path);
  std::string normalised = Normalise(path);
  // A key opened below an open handle is found by its full path.
  if (auto parent = handles_.find(root); parent != handles_.end()) {
    root = parent->second.root;
    normalised = parent->second.path.empty() || normalised.empty()
                     ? parent->second.path + normalised
                     : parent->second.path + "\\" + normalised;
  } else if (!IsRoot(root)) {
    return kInvalidHandle;
  }
  if (long code = Injected(RegOp::kOpen, normalised, ""); code != 0) return code;
  if (!normalised.empty() && Find(root, normalised) == nullptr) return kNotFound;
  RegKey handle = next_handle_++;
  handles_[handle] = OpenKeyInfo{root, normalised};
  *key = handle;
  return 0;
}

long FakeRegistry::QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size) {
  ++query_calls_;
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return kInvalidHandle;
  const OpenKeyInfo& info = handle->second;
  if (long code = Injected(RegOp::kQuery, info.path, value_name); code != 0) return code;
  Key* found = Find(info.root, info.path);
  if (found == nullptr) return kNotFound;
  auto value = found->values.find(Lower(value_name));
  if (value == found->values.end()) return kNotFound;
  const std::vector<std::uint8_t>& bytes = value->second.bytes;
  if (type != nullptr) *type = value->second.type;
  if (size == nullptr) return data == nullptr ? 0 : kNoAccess;
  const std::uint32_t needed = static_cast<std::uint32_t>(bytes.size());
  // As in Win32, a null buffer asks for the size only and succeeds; a real buffer that is too
  // small, even of size 0, gives ERROR_MORE_DATA.
  if (data != nullptr && *size < needed) {
    *size = needed;
    return kMoreData;
  }
  if (data != nullptr && needed > 0) std::memcpy(data, bytes.data(), needed);
  *size = needed;
  return 0;
}

long FakeRegistry::CloseKey(RegKey key) {
  ++close_calls_;
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return kInvalidHandle;
  std::string path = handle->second.path;
  handles_.erase(handle);
  return Injected(RegOp::kClose, path, "");
}

}  // namespace torvel::testing
