// Any type and bytes for every value of the populated registry, one registry call failing: the
// product sections and a number read neither crash nor read past a buffer, leave no key open,
// put no character of a value into the report unescaped, and leave it valid UTF-8 whose only
// control characters are tabs and CR LF line ends.
#include <fuzzer/FuzzedDataProvider.h>

#include "fakes/fake_machine.h"
#include "platform/clean_text.h"
#include "platform/registry_reader.h"
#include "products/product_sections.h"
#include "report/html_report.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const testing::Machine populated;
  FuzzedDataProvider in(data, size);
  testing::Machine m = populated, plain = populated;  // plain: the values without "&", "<", ">"
  // The registry call that fails, the first of these meaning none, and how.
  const auto call = in.ConsumeIntegralInRange<std::size_t>(0, 2);
  const testing::Mode mode = in.PickValueInArray({testing::kStatus, testing::kThrow});
  constexpr testing::Op kCalls[] = {testing::Op::kOpenKey, testing::Op::kOpenKey,
                                    testing::Op::kQueryValue};
  m.fail = plain.fail = {kCalls[call], call == 0 ? testing::kNone : mode};
  for (auto& [id, value] : m.values) {
    value = {in.ConsumeIntegralInRange<std::uint32_t>(0, 11), in.ConsumeRandomLengthString(300)};
    plain.values[id] = value;
    // Numbers read as their decimal text, whatever their bytes are.
    if (value.first == kRegDword || value.first == kRegDwordBigEndian || value.first == kRegQword)
      continue;
    for (char& c : plain.values[id].second) c = c == '&' || c == '<' || c == '>' ? 'x' : c;
  }
  ReportStream out, plain_out;
  WriteProductSections(RegistryValue(m), out);
  WriteProductSections(RegistryValue(plain), plain_out);
  ReadRegistryValue<std::int32_t>(m, RegRoot::kLocalMachine,
                                  "Software\\Partwright\\Partwright 2004\\Setup",
                                  "Partwright Studio Installed");
  // Every entity the escaping wrote, read back as the "x" that stands in the plain values.
  std::string text = out.text();
  for (const std::string entity : {"&amp;", "&lt;", "&gt;"}) {
    for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
      text.replace(at, entity.size(), "x");
  }
  if (!m.handles.empty() || text != plain_out.text()) __builtin_trap();
  // Line ends as tabs, the text must be clean as it stands.
  std::string lines = out.text();
  for (std::size_t at; (at = lines.find("\r\n")) != std::string::npos;) lines.replace(at, 2, "\t");
  if (CleanText(lines) != lines) __builtin_trap();
  return 0;
}
