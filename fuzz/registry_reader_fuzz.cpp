// The registry reader against an in-memory registry holding values of any type, size and bytes,
// with any one of its calls failing. Each read is checked against what the reader promises: the
// status, the value or the default kept, and every key it opened closed again.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "fuzz_support.h"
#include "products/registry_api.h"

namespace torvel::fuzz {
namespace {

using testing::FakeRegistry;
using testing::RegOp;

constexpr char kStoredKey[] = "Software\\VRAX\\TORVEL/FRAME\\Results";
// The stored key and every key above it, as the registry compares them.
const char* const kExistingPaths[] = {"", "software", "software\\vrax",
                                      "software\\vrax\\torvel/frame",
                                      "software\\vrax\\torvel/frame\\results"};

const char* const kRootTexts[] = {
    "HKCU", "hkcu", "HKLM", "HkLm", "HKU", "HKDD", "HKCC", "HKCR", "HKEY_CURRENT_USER",
    "",     "HKLM "};
const char* const kPaths[] = {kStoredKey,
                              "software\\vrax\\torvel/frame\\results\\",
                              "Software\\VRAX\\TORVEL/FRAME\\",
                              "Software\\VRAX",
                              "Software\\VRAX\\TORVEL",
                              "Software\\VRAX\\TORVEL/FRAME\\Results\\Deeper",
                              "",
                              "\\"};
const char* const kNames[] = {"", "WORKPATHNAME", "workpathname", "VERSION", "BUILD"};
const char* const kKinds[] = {"S", "s", "D", "d", "", "X", "SD"};

struct RootName {
  const char* name;
  RegKey key;
};
constexpr RootName kRoots[] = {
    {"HKCR", kHkeyClassesRoot}, {"HKCU", kHkeyCurrentUser},   {"HKLM", kHkeyLocalMachine},
    {"HKU", kHkeyUsers},        {"HKCC", kHkeyCurrentConfig}, {"HKDD", kHkeyDynData},
};

std::string AsciiCase(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// What the registry holds, kept beside the fake to say what each read must give.
struct Model {
  RegKey root = 0;
  std::map<std::string, StoredValue> values;  // by lower-cased name
  std::optional<RegOp> failing_op;
  long fault_code = 0;

  // Lower-cased, without one trailing backslash: the key the registry finds for `path`.
  static std::string Normalise(const std::string& path) {
    std::string normalised = AsciiCase(path, false);
    if (!normalised.empty() && normalised.back() == '\\') normalised.pop_back();
    return normalised;
  }

  bool KeyExists(RegKey key_root, const std::string& path) const {
    const std::string normalised = Normalise(path);
    if (normalised.empty()) return true;
    if (key_root != root) return false;
    for (const char* existing : kExistingPaths) {
      if (normalised == existing) return true;
    }
    return false;
  }
};

struct Outcome {
  std::int32_t status;
  RegValue value;
};

RegKey RootOf(const std::string& text) {
  const std::string upper = AsciiCase(text, true);
  for (const RootName& root : kRoots) {
    if (upper == root.name) return root.key;
  }
  return 0;
}

Outcome Expected(const Model& model, const std::string& root, const std::string& path,
                 const std::string& name, const std::string& kind, const RegValue& fallback) {
  const RegKey key_root = RootOf(root);
  if (key_root == 0) return {kStatusNoRoot, fallback};
  auto fails = [&](RegOp op) { return model.failing_op == op; };
  if (fails(RegOp::kOpen)) return {static_cast<std::int32_t>(model.fault_code), fallback};
  if (!model.KeyExists(key_root, path)) return {2, fallback};
  RegValue value = fallback;
  const std::string upper_kind = AsciiCase(kind, true);
  if (upper_kind == "S" || upper_kind == "D") {
    if (fails(RegOp::kQuery)) return {static_cast<std::int32_t>(model.fault_code), fallback};
    const bool stored_here =
        key_root == model.root &&
        Model::Normalise(path) == kExistingPaths[std::size(kExistingPaths) - 1];
    auto found = model.values.find(AsciiCase(name, false));
    if (!stored_here || found == model.values.end()) return {2, fallback};
    const std::vector<std::uint8_t>& bytes = found->second.bytes;
    if (upper_kind == "D" && bytes.size() > 4) return {234, fallback};
    if (upper_kind == "S" && !bytes.empty()) value = std::string(bytes.begin(), bytes.end() - 1);
    if (upper_kind == "D" && !bytes.empty()) {
      std::uint32_t number = 0;
      for (std::size_t i = 0; i < bytes.size(); ++i) number |= std::uint32_t{bytes[i]} << (8 * i);
      value = static_cast<std::int32_t>(number);
    }
  }
  if (fails(RegOp::kClose)) return {static_cast<std::int32_t>(model.fault_code), value};
  return {0, value};
}

RegValue ConsumeDefault(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeIntegral<std::int32_t>();
  return in.ConsumeRandomLengthString(8);
}

}  // namespace
}  // namespace torvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvel;
  using namespace torvel::fuzz;
  FuzzedDataProvider in(data, size);
  FakeRegistry registry;
  Model model;
  model.root = kRoots[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kRoots) - 1)].key;
  registry.AddKey(model.root, kStoredKey);
  const int value_count = in.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < value_count; ++i) {
    const std::string name = ConsumeText(in, kNames);
    StoredValue stored{in.ConsumeIntegral<std::uint32_t>(), ConsumeValueBytes(in, 64, 4096)};
    registry.SetValue(model.root, kStoredKey, name, stored.type, stored.bytes);
    model.values[AsciiCase(name, false)] = std::move(stored);
  }
  if (const int op = in.ConsumeIntegralInRange(0, 3); op > 0) {
    constexpr long kCodes[] = {2, 5, 6, 234, 998};
    const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, std::size(kCodes));
    const long code = pick < std::size(kCodes) ? kCodes[pick] : in.ConsumeIntegral<std::int32_t>();
    if (code != 0) {
      model.failing_op = static_cast<RegOp>(op - 1);
      model.fault_code = code;
      registry.Fail(*model.failing_op, code);
    }
  }

  for (int read = 0; read < 8 && in.remaining_bytes() > 0; ++read) {
    const std::string root = ConsumeText(in, kRootTexts);
    const std::string path = ConsumeText(in, kPaths);
    const std::string name = ConsumeText(in, kNames);
    const std::string kind = ConsumeText(in, kKinds);
    const RegValue fallback = ConsumeDefault(in);
    RegValue value = in.ConsumeBool() ? RegValue(std::string("stale")) : RegValue(-1);
    const int calls_before = registry.calls();

    const std::int32_t status =
        ReadRegistryValue(registry, root, path, name, kind, fallback, value);

    const Outcome expected = Expected(model, root, path, name, kind, fallback);
    Require(registry.open_keys() == 0, "every key opened is closed again");
    Require(status == expected.status, "the status is the failing call's code, 99 or 0");
    Require(value == expected.value, "the value read, or the default on failure");
    if (RootOf(root) == 0)
      Require(registry.calls() == calls_before, "no registry call without a root");
    Require(registry.calls() - calls_before <= 4, "one open, at most two queries, one close");
  }
  return 0;
}
