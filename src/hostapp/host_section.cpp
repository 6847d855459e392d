#include "hostapp/host_section.h"

#include <cmath>
#include <iterator>
#include <optional>

#include "platform/failure.h"
#include "platform/registry_reader.h"
#include "text/fragments.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr char kHostClass[] = "Partwright.Application";
constexpr char kDateCodeLine[] = "<pre>Partwright Date Code:       ";
constexpr char kRevisionLine[] = "Partwright Revision Number:  ";
constexpr char kEditionValue[] = "Partwright Studio Installed";
constexpr std::int32_t kEditionDefault = 12345;

// The releases whose setup key names the installed edition, and the editions by their code;
// any other code reads "N/A".
constexpr const char* kReleaseYears[] = {"2004", "2005", "2006"};
constexpr const char* kEditionNames[] = {"Partwright", "Partwright Studio", "Partwright Studio Pro",
                                         "Partwright Studio Max"};

// Six lines in one write, so the line end of the write leaves an empty line after the note.
constexpr char kRevisionNote[] =
    "(NOTE: How to read the Partwright Revision Number?\r\n"
    "Partwright prior to 2000 =>  1.0.  | Partwright 2004          => 12.0.\r\n"
    "Partwright 2000          =>  8.0.  | Partwright 2005          => 13.0.\r\n"
    "Partwright 2001          =>  9.0.  | Partwright 2006          => 14.0.\r\n"
    "Partwright 2001Plus      => 10.0.  | Partwright 2006Plus      => 15.0.\r\n"
    "Partwright 2003          => 11.0.  | Etc.</pre>\r\n";

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

// Why the host could not tell: the plain reason where the code says more than the system's
// text ("Invalid class string" only means the host is not installed), else the host's own.
std::string Explanation(const Failure& failure) {
  std::string reason = failure.description();
  switch (failure.number()) {
    case kInvalidClassString:
    case kClassNotRegistered:
      reason = "Partwright is not installed";
      break;
    case kNoAnswer:
      reason = "Partwright did not answer";
      break;
    case kCallRejected:
      reason = "Partwright is busy";
      break;
  }
  return "not available: " + EscapeHtml(reason) + " (" + ErrorCodeText(failure.number()) + ")";
}

// A whole number as the host gave it; text and fractions are no date code.
std::optional<std::int64_t> WholeNumber(const AutoValue& value) {
  if (auto n = std::get_if<std::int32_t>(&value)) return *n;
  if (auto d = std::get_if<double>(&value); d && std::trunc(*d) == *d && std::fabs(*d) < 1e18) {
    return static_cast<std::int64_t>(*d);
  }
  return std::nullopt;
}

std::string DateCodeText(const AutoValue& value) {
  std::optional<std::int64_t> number = WholeNumber(value);
  if (!number) throw Failure(kTypeMismatch, "the host's date code is not a whole number");
  return SignPosition(*number);
}

std::string RevisionText(const AutoValue& value) {
  if (auto text = std::get_if<std::string>(&value)) return EscapeHtml(*text);
  if (std::holds_alternative<std::monostate>(value)) return "";
  if (std::optional<std::int64_t> number = WholeNumber(value)) return PlainDecimal(*number);
  throw Failure(kTypeMismatch, "the host's revision number is not text");
}

// The host's answer to `member` in its report form, or why there is none.
std::string Ask(const Host& host, const char* member, std::string (*form)(const AutoValue&)) {
  if (host.unavailable) return Explanation(*host.unavailable);
  try {
    return form(host.object->Get(member));
  } catch (const Failure& failure) {
    return Explanation(failure);
  }
}

std::string EditionLine(Registry& registry, const std::string& year) {
  RegValue value = kEditionDefault;
  // The status is not needed: the value holds the default whenever the read fails.
  ReadRegistryValue(registry, "HKLM", "Software\\Partwright\\Partwright " + year + "\\Setup",
                    kEditionValue, "D", kEditionDefault, value);
  const std::int32_t* code = std::get_if<std::int32_t>(&value);
  const bool known =
      code && *code >= 0 && *code < static_cast<std::int32_t>(std::size(kEditionNames));
  return "Partwright " + year + " Installed version: " + (known ? kEditionNames[*code] : "N/A");
}

}  // namespace

void PartwrightInformation(const Platform& p, ReportStream& out) {
  Host host = ReachHost(p.automation);
  out.WriteLine(kSectionRule);
  out.WriteLine(std::string(kBoldHeadingPrefix) + "Partwright Information</p>");
  out.WriteLine(kDateCodeLine + Ask(host, "DateCode", DateCodeText));
  out.WriteLine(kRevisionLine + Ask(host, "RevisionNumber", RevisionText));
  if (host.started_here && !host.unavailable) {
    try {
      host.object->Call("ExitApp", {});
    } catch (const Failure&) {
      // The facts are already in the report; a host that would not close changes none of them.
    }
  }
  host.object.reset();
  for (const char* year : kReleaseYears) out.WriteLine(EditionLine(p.registry, year));
  out.WriteEmptyLine();
  out.WriteLine(kRevisionNote);
}

}  // namespace torvel
