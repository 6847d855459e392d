#include "hostapp/host_section.h"

#include <cmath>
#include <optional>

#include "platform/registry_reader.h"

namespace torvel {

namespace {

constexpr char kHostClass[] = "Partwright.Application";
constexpr char kEditionValue[] = "Partwright Studio Installed";
constexpr std::int32_t kEditionDefault = 12345;

constexpr long kTypeMismatch = static_cast<std::int32_t>(0x80020005);
constexpr long kNoObject = static_cast<std::int32_t>(0x80004003);  // E_POINTER

// The host the section talks to. A host the user already has open is used as it is; only a
// host this section started itself is told to exit, so that the user's session (and its
// unsaved work) is never closed by a report.
struct Host {
  AutomationRef object;
  bool started_here = false;
  std::optional<ErrorInfo> unavailable;
};

Host ReachHost(Automation& automation) {
  Host host;
  host.object = automation.FindRunning(kHostClass);
  if (host.object) return host;
  const Result<AutomationRef> created = automation.Create(kHostClass);
  if (!created) {
    host.unavailable = created.error();
  } else if (!*created) {
    host.unavailable = ErrorInfo{kNoObject, "the host gave no object"};
  } else {
    host.object = *created;
    host.started_here = true;
  }
  return host;
}

// A whole number as the host gave it; text and fractions are no date code.
std::optional<std::int64_t> WholeNumber(const AutoValue& value) {
  if (auto n = std::get_if<std::int32_t>(&value)) return *n;
  if (auto d = std::get_if<double>(&value); d && std::trunc(*d) == *d && std::fabs(*d) < 1e18) {
    return static_cast<std::int64_t>(*d);
  }
  return std::nullopt;
}

Result<std::int64_t> DateCode(const AutoValue& value) {
  std::optional<std::int64_t> number = WholeNumber(value);
  if (!number) return ErrorInfo{kTypeMismatch, "the host's date code is not a whole number"};
  return *number;
}

Result<std::string> RevisionNumber(const AutoValue& value) {
  if (auto text = std::get_if<std::string>(&value)) return *text;
  if (std::holds_alternative<std::monostate>(value)) return std::string();
  if (std::optional<std::int64_t> number = WholeNumber(value)) return std::to_string(*number);
  return ErrorInfo{kTypeMismatch, "the host's revision number is not text"};
}

// The host's answer to `member`, or why there is none. A host given up (silent or busy) is
// answered for by its automation line at once.
template <typename Answer>
void Ask(const Host& host, const char* member, Result<Answer> (*read)(const AutoValue&),
         std::optional<Answer>& answer, std::optional<ErrorInfo>& failure) {
  if (host.unavailable) {
    failure = host.unavailable;
    return;
  }
  const Result<AutoValue> given = host.object->Get(member);
  const Result<Answer> read_answer = given ? read(*given) : Result<Answer>(given.error());
  if (read_answer) {
    answer = *read_answer;
  } else {
    failure = read_answer.error();
  }
}

std::optional<std::int32_t> Edition(Registry& registry, const std::string& year) {
  const RegRead<std::int32_t> read = ReadRegistryValue<std::int32_t>(
      registry, RegRoot::kLocalMachine, "Software\\Partwright\\Partwright " + year + "\\Setup",
      kEditionValue);
  if (!read.found()) return std::nullopt;
  return read.value_or(kEditionDefault);
}

}  // namespace

HostFacts PartwrightInformation(Automation& automation, Registry& registry) {
  HostFacts facts;
  Host host = ReachHost(automation);
  Ask(host, "DateCode", DateCode, facts.date_code, facts.date_code_failure);
  Ask(host, "RevisionNumber", RevisionNumber, facts.revision_number, facts.revision_number_failure);
  // The facts are already in; a host that would not close changes none of them.
  if (host.started_here) host.object->Call("ExitApp", {});
  host.object.reset();
  for (std::size_t i = 0; i < kReleaseYears.size(); ++i)
    facts.editions[i] = Edition(registry, kReleaseYears[i]);
  return facts;
}

}  // namespace torvel
