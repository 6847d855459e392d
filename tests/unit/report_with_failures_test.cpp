// The report with each operation failing in each way it can: the boxes it shows and the lines it
// changes, or a run that fails and leaves the previous report; never a file, key, socket, object
// or busy cursor left behind.
#include "commands/commands.h"
#include "report/report_writer.h"
#include "text/fragments.h"
#include "unit/test_support.h"

namespace torvel::testing {
namespace {

// A case: the operations that fail, each alike in each mode, and the transcript in
// tests/expected/failure_transcripts.txt of what that does.
struct Case {
  const char* transcript;
  std::vector<Op> ops;
  std::vector<Mode> modes;
};
using enum Op;

// clang-format off
const Case kCases[] = {
    // Answered, or failing where nothing depends on it: the whole report, nothing escapes.
    {"whole", {kExecute, kExitApp}, {kNone, kThrow}},
    {"whole", {kFindRunning}, {kOversized}},  // a running host, used and left running
    {"no-products", {kOpenKey}, {kStatus, kThrow}},
    {"values-empty", {kQueryValue}, {kStatus, kThrow}},
    {"values-big", {kQueryValue}, {kOversized}},
    {"no-version", {kVersion, kProcessor, kDateText, kTimeText}, {kThrow}},
    {"no-resources", {kMemory, kDiskSpace, kExeFolder}, {kThrow}},
    {"user-name-empty", {kUserName}, {kStatus}},
    {"no-user-name", {kUserName}, {kThrow}},
    {"computer-name-unknown", {kComputerName}, {kStatus}},
    {"temporary-folder-empty", {kTempPath}, {kStatus}},
    {"no-temporary-folder", {kTempPath}, {kThrow}},
    {"no-environment", {kEnvironmentVariable}, {kEmpty}},
    {"adapter-from-the-list", {kNetbiosAdapterAddress}, {kStatus, kEmpty}},
    {"sockets-not-started", {kSocketsStart}, {kStatus}},
    {"host-name-not-had", {kHostName}, {kStatus}},
    {"host-name-unresolved", {kFirstHostAddress}, {kStatus}},
    {"host-failed", {kCreate}, {kThrow}},
    {"host-gave-no-object", {kCreate}, {kEmpty}},
    {"date-code-failed", {kDateCode}, {kThrow}},
    // A host that is not installed or busy, or that does not answer and is asked nothing more.
    {"host-not-installed", {kCreate}, {kStatus}},
    {"host-busy", {kCreate, kDateCode}, {kRejected}},
    {"host-silent", {kDateCode}, {kSilent}},
    {"revision-number-failed", {kRevisionNumber}, {kThrow}},
    {"uptime-at-its-largest", {kTickCount}, {kOversized}},
    // A failure that no collector handles ends the run; so does a report that is read-only.
    {"unforeseen", {kComputerName, kNetbiosAdapterAddress, kSocketsStart, kSocketsCleanup,
                    kHostName, kAttributes, kCreateNew, kWriteAll, kPlace, kTickCount}, {kThrow}},
    {"folder-not-written", {kCreateNew}, {kStatus}},
    {"not-written", {kWriteAll, kPlace}, {kStatus}},
    {"read-only", {kAttributes}, {kOversized}},
    {"changed-by-another", {kPlace}, {kOversized}},
};
// clang-format on

// The boxes shown, then "previous report kept", or the report's lines that differ from the
// expected report, in sorted order: "-" a line it lacks, "+" a line it has instead; a longer
// line cut at 100 bytes, with its length.
std::string Outcome(const Machine& m, bool written) {
  std::vector<std::string> lines;
  std::ranges::copy_if(m.log, std::back_inserter(lines),
                       [](auto& entry) { return entry.starts_with("box "); });
  if (!written) {
    lines.push_back(m.files.at(kReport).first == "previous" ? "previous report kept" : "changed");
    return Transcript(lines);
  }
  auto lines_of = [](const std::string& report) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < report.size(); at = end + 2)
      lines.push_back(
          report.substr(at, (end = std::min(report.find("\r\n", at), report.size())) - at));
    return lines;
  };
  std::vector<std::string> want = lines_of(ExpectedFile("full_report.htm")),
                           got = lines_of(m.files.at(kReport).first);
  std::ranges::sort(want);
  std::ranges::sort(got);
  std::vector<std::string> lacks, has;
  std::ranges::set_difference(want, got, std::back_inserter(lacks));
  std::ranges::set_difference(got, want, std::back_inserter(has));
  auto cut = [](const std::string& line) {
    return line.size() <= 100 ? line
                              : line.substr(0, 100) + "... (" + std::to_string(line.size()) + ")";
  };
  for (const std::string& line : lacks) lines.push_back("- " + cut(line));
  for (const std::string& line : has) lines.push_back("+ " + cut(line));
  return Transcript(lines);
}

TEST(ReportWithFailures, IsTheExpectedOneWithWhatFailedOrThePreviousOneStays) {
  const std::string folder = "C:\\Program Files\\TORVEL", planted = folder + "\\~TRV5EED0000.tmp",
                    leftover = folder + "\\~TRV0000000A.tmp", young = folder + "\\~TRV0000000B.tmp";
  for (const Case& c : kCases) {
    for (const Op op : c.ops) {
      for (const Mode mode : c.modes) {
        SCOPED_TRACE(::testing::Message()
                     << c.transcript << ": operation " << int(op) << ", mode " << int(mode));
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
        EXPECT_EQ(Outcome(m, written), ExpectedTranscript(c.transcript, "failure_transcripts.txt"));
        // No temporary file of this run beside it, nothing planted touched, an old leftover
        // cleared after a good run.
        EXPECT_EQ(m.files.size(), written ? 3u : 4u);
        EXPECT_EQ(m.files[planted].first + std::to_string(m.files.count(young)), "another's1");
        // Told before anything is collected, the host application is not even started.
        const auto started = std::ranges::count(m.log, "create Partwright.Application");
        if (!written && op != kWriteAll && op != kPlace) {
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
