// The report with each operation failing in each way it can: the expected report with the lines
// that failure changes and the box it shows, or a run that fails and leaves the previous report;
// never a file, key, socket, object or busy cursor left behind.
#include "commands/commands.h"
#include "report/report_writer.h"
#include "text/fragments.h"
#include "unit/test_support.h"

namespace torvel::testing {
namespace {

// What a registry failure does to the product portion and to the edition lines; or a run that
// fails and leaves the previous report.
enum class Effect { kLines, kGone, kValuesEmpty, kValuesBig, kFails };
using enum Effect;
using enum Op;

// A line of the expected report that reads otherwise (found by its label, the first 25
// characters), or the lines from the one starting with `drop_from` to one starting with `drop_to`.
struct Change {
  std::string line = "", drop_from = "", drop_to = "";
};

struct Case {
  std::vector<Op> ops;
  std::vector<Mode> modes;  // each operation fails alike in each of these
  std::vector<Change> changes = {};
  std::string box = "";  // shown with the application's title
  Effect effect = kLines;
};

const std::string kIp = "IP Address:              ",
                  kHost = "not available: Internal error (error 0x00000033)",
                  kNoObject = "not available: the host gave no object (error 0x80004003)",
                  kAbsent = "not available: Partwright is not installed (error 0x800401F3)",
                  kBusy = "not available: Partwright is busy (error 0x80010001)",
                  kSilentHost = "not available: Partwright did not answer (error 0x8001011F)",
                  kDate = "<pre>Partwright Date Code:       ",
                  kRevision = "Partwright Revision Number:  ",
                  kFailed = "The report could not be written to " + std::string(kReport) + ".\r\n";

// clang-format off
const Case kCases[] = {
    // Answered, or failing where nothing depends on it: the whole report, nothing escapes.
    {{kExecute, kExitApp}, {kNone, kThrow}},
    {{kFindRunning}, {kOversized}},  // a running host, used and left running
    {{kOpenKey}, {kStatus, kThrow}, {}, "", kGone},
    {{kQueryValue}, {kStatus, kThrow}, {}, "", kValuesEmpty},
    {{kQueryValue}, {kOversized}, {}, "", kValuesBig},
    {{kVersion, kProcessor, kDateText, kTimeText}, {kThrow},
     {{.drop_from = "OPERATING SYSTEM:", .drop_to = "SYSTEM DATE :"}},
     "Stats.Form1.VersionInformation51Internal error"},
    {{kMemory, kDiskSpace, kExeFolder}, {kThrow},
     {{.drop_from = "TOTAL PHYSICAL MEMORY:", .drop_to = "NUMBER OF COLORS:"}},
     "Stats.Form1.SystemInformation51Internal error"},
    {{kUserName}, {kStatus}, {{"<pre>USER NAME:               "}}},
    {{kUserName}, {kThrow}, {{.drop_from = "<pre>USER NAME:", .drop_to = "<pre>USER NAME:"}},
     "Stats.Form1.UserName51Internal error"},
    {{kComputerName}, {kStatus},
     {{"COMPUTER NAME:           " + std::string(32, 'X')}}},
    {{kTempPath}, {kStatus}, {{"TEMPORARY DIRECTORY :    "}}},
    {{kTempPath}, {kThrow}, {{"TEMPORARY DIRECTORY :    "}},
     "Stats.Form1.GetTempDirectory51Internal error"},
    {{kEnvironmentVariable}, {kEmpty},
     {{"PATH :                   "}, {"TORVELK :                </pre>"}}},
    {{kNetbiosAdapterAddress}, {kStatus, kEmpty}, {{"Ethernet Address:        001A2B3C4D5F"}}},
    {{kSocketsStart}, {kStatus}, {{kIp}}, "The 32-bit Windows Socket is not responding."},
    {{kFirstHostAddress}, {kStatus}, {{kIp}},
     "Windows Sockets are not responding. Unable to successfully get Host Name."},
    {{kCreate}, {kThrow}, {{kDate + kHost}, {kRevision + kHost}}},
    {{kCreate}, {kEmpty}, {{kDate + kNoObject}, {kRevision + kNoObject}}},
    {{kDateCode}, {kThrow}, {{kDate + kHost}}},
    // A host that is not installed or busy, or that does not answer and is asked nothing more.
    {{kCreate}, {kStatus}, {{kDate + kAbsent}, {kRevision + kAbsent}}},
    {{kCreate, kDateCode}, {kRejected}, {{kDate + kBusy}, {kRevision + kBusy}}},
    {{kDateCode}, {kSilent}, {{kDate + kSilentHost}, {kRevision + kSilentHost}}},
    {{kRevisionNumber}, {kThrow}, {{kRevision + kHost}}},
    {{kTickCount}, {kOversized},
     {{"Your system has been running for 5124095576030 hours and 26 minutes."}}},
    // A failure that no collector handles ends the run; so does a report that is read-only.
    {{kComputerName, kNetbiosAdapterAddress, kSocketsStart, kSocketsCleanup, kHostName,
      kAttributes, kCreateNew, kWriteAll, kPlace, kTickCount},
     {kThrow}, {}, kFailed + "Internal error", kFails},
    {{kCreateNew}, {kStatus}, {}, kFailed + "Error text 5. " + kWindowFolderAdvice, kFails},
    {{kWriteAll, kPlace}, {kStatus}, {}, kFailed + "Error text 5.", kFails},
    {{kAttributes}, {kOversized}, {}, kFailed + "Error text 5.", kFails},
    {{kPlace}, {kOversized}, {},
     kFailed + "The report was changed by another program while it was written.", kFails},
};
// clang-format on

std::string Expected(const Case& c) {
  if (c.effect == kFails) return "previous";
  std::vector<std::string> lines = ExpectedLines();
  auto find = [&](auto from, const std::string& start) {
    return std::find_if(from, lines.end(), [&](auto& line) { return line.starts_with(start); });
  };
  for (const Change& change : c.changes) {
    const bool drop = !change.drop_from.empty();
    const auto first = find(lines.begin(), drop ? change.drop_from : change.line.substr(0, 25));
    if (drop)
      lines.erase(first, find(first, change.drop_to) + 1);
    else
      *first = change.line;
  }
  for (const std::string year : {"2004", "2005", "2006"}) {
    if (c.effect != kLines)
      *find(lines.begin(), "Partwright " + year) = "Partwright " + year + " Installed version: N/A";
  }
  // The product portion: each section opens with an empty line and a rule; the host's follows.
  const auto products = find(lines.begin(), "<hr") - 1,
             host = find(products, std::string(kBoldHeadingPrefix) + "Partwright") - 2;
  if (c.effect >= kValuesEmpty)
    ReadValuesAs(c.effect == kValuesBig ? std::string(kBig, 'W') : "", products, host);
  if (c.effect == kGone) lines.erase(products, host);
  return Joined(lines);
}

TEST(ReportWithFailures, IsTheExpectedOneWithWhatFailedOrThePreviousOneStays) {
  const std::string folder = "C:\\Program Files\\TORVEL", planted = folder + "\\~TRV5EED0000.tmp",
                    leftover = folder + "\\~TRV0000000A.tmp", young = folder + "\\~TRV0000000B.tmp";
  for (const Case& c : kCases) {
    for (const Op op : c.ops) {
      for (const Mode mode : c.modes) {
        SCOPED_TRACE(::testing::Message() << "operation " << int(op) << ", mode " << int(mode));
        Machine m;
        m.fail = {op, mode};
        m.files[kReport] = {"previous", 0};
        // Planted at the first name tried; a killed run's leftover, and a young one.
        m.files[planted] = {"another's", 0};
        m.files[leftover] = m.files[young] = {"", 0};
        m.ages[leftover] = 600000;
        bool written = false;
        EXPECT_NO_THROW(if ((written = RunReport(m.sources(), m, folder, false).has_value()))
                            OpenReport(m, 0, folder));
        std::vector<std::string> boxes;
        std::ranges::copy_if(m.log, std::back_inserter(boxes),
                             [](auto& entry) { return entry.starts_with("box "); });
        EXPECT_EQ(boxes, c.box.empty() ? std::vector<std::string>{}
                                       : std::vector{"box TORVEL Support Tool: " + c.box});
        EXPECT_EQ(written, c.effect != kFails);
        EXPECT_EQ(m.files[kReport].first, Expected(c));
        // No temporary file of this run beside it, nothing planted touched, an old leftover
        // cleared after a good run.
        EXPECT_EQ(m.files.size(), written ? 3u : 4u);
        EXPECT_EQ(m.files[planted].first + std::to_string(m.files.count(young)), "another's1");
        // Told before anything is collected, the host application is not even started.
        const auto started = std::ranges::count(m.log, "create Partwright.Application");
        if (c.effect == kFails && op != kWriteAll && op != kPlace) {
          EXPECT_EQ(started, 0);
        }
        EXPECT_EQ((std::array{m.handles.size(), 0ul + m.sockets, 0ul + m.objects, 0ul + m.busy,
                              0ul + m.stray_discards}),
                  (std::array{0ul, 0ul, 0ul, 0ul, 0ul}));
        // A host the report started (as every report without a fault does) is told to exit once,
        // unless it was given up.
        const bool given_up = mode == kSilent || mode == kRejected;
        EXPECT_EQ(std::ranges::count(m.log, "call ExitApp()"), given_up ? 0 : started);
        EXPECT_EQ(m.hits > 0, mode != kNone);  // the failing operation is reached
      }
    }
  }
}

}  // namespace
}  // namespace torvel::testing
