#include "hostapp/host_section.h"

#include <cmath>
#include <optional>

#include "platform/failure.h"
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
  std::optional<Failure> unavailable;
};

Host ReachHost(Automation& automation) {
  Host host;
  try {
    host.object = automation.FindRunning(kHostClass);
    if (!host.object) {
      host.object = automation.Create(kHostClass);
      if (!host.object) throw Failure(kNoObject, "the host gave no object");
      host.started_here = true;
    }
  } catch (const Failure& failure) {
    host.unavailable = failure;
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

std::int64_t DateCode(const AutoValue& value) {
  std::optional<std::int64_t> number = WholeNumber(value);
  if (!number) throw Failure(kTypeMismatch, "the host's date code is not a whole number");
  return *number;
}

std::string RevisionNumber(const AutoValue& value) {
  if (auto text = std::get_if<std::string>(&value)) return *text;
  if (std::holds_alternative<std::monostate>(value)) return "";
  if (std::optional<std::int64_t> number = WholeNumber(value)) return std::to_string(*number);
  throw Failure(kTypeMismatch, "the host's revision number is not text");
}

// The host's answer to `member`, or why there is none. A host given up (silent or busy) is
// answered for by its automation line at once.
template <typename Answer>
void Ask(const Host& host, const char* member, Answer (*read)(const AutoValue&),
         std::optional<Answer>& answer, std::optional<Failure>& failure) {
  if (host.unavailable) {
    failure = host.unavailable;
    return;
  }
  try {
    answer = read(host.object->Get(member));
  } catch (const Failure& caught) {
    failure = caught;
  }
}

std::optional<std::int32_t> Edition(Registry& registry, const std::string& year) {
  const RegRead<std::int32_t> read =
      ReadNumber(registry, RegRoot::kLocalMachine,
                 "Software\\Partwright\\Partwright " + year + "\\Setup", kEditionValue);
  if (!read.found()) return std::nullopt;
  return read.value_or(kEditionDefault);
}

}  // namespace

HostFacts PartwrightInformation(Automation& automation, Registry& registry) {
  HostFacts facts;
  Host host = ReachHost(automation);
  Ask(host, "DateCode", DateCode, facts.date_code, facts.date_code_failure);
  Ask(host, "RevisionNumber", RevisionNumber, facts.revision_number, facts.revision_number_failure);
  if (host.started_here && !host.unavailable) {
    try {
      host.object->Call("ExitApp", {});
    } catch (const Failure&) {
      // The facts are already in; a host that would not close changes none of them.
    }
  }
  host.object.reset();
  for (std::size_t i = 0; i < kReleaseYears.size(); ++i)
    facts.editions[i] = Edition(registry, kReleaseYears[i]);
  return facts;
}

}  // namespace torvel
