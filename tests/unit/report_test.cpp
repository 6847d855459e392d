// The report of the populated fake machine: whole, with each operation failing in each way, and
// its product sections and registry reader alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "app/commands.h"
#include "expected/reader_cases.h"
#include "fakes/fake_machine.h"
#include "products/product_sections.h"

namespace torvel::testing {
namespace {

// What registry failures do to the product portion (lines 41 to 135 of the expected report).
enum Products { kAsIs, kGone, kValuesEmpty, kValuesBig };

// One way of failing for one or more operations, and what it does to the report.
struct Case {
  std::string ops;    // operations that fail alike
  std::string modes;  // how: S error status, T thrown failure, E empty answer, O oversized answer
  // Changed lines ("|" between them), each in place of the expected line that starts with the
  // same 25 characters; "-A..B" drops the lines from the one starting with A to the next one
  // starting with B.
  std::string lines = "";
  std::string boxes = "";  // messages shown, or the one message of a failed run
  Products products = kAsIs;
  bool editions_read = true;  // false: the three edition lines say N/A
  bool fails = false;         // the previous report stays
};

const std::string kIp = "IP Address:              ",
                  kNoHost = "not available: Internal error (error 00000033)";
const std::string kDate = "<pre>Partwright Date Code:       ",
                  kRevision = "Partwright Revision Number:  ";
const std::string kNotWritten =
    "The report could not be written to " + std::string(kReport) + ".\r\n";
const std::string kNoObject = "not available: the host gave no object (error 80004003)";
const Case kCases[] = {
    {"OpenKey", "ST", "", "", kGone, false},
    {"QueryValue", "ST", "", "", kValuesEmpty, false},
    {"QueryValue", "O", "", "", kValuesBig, false},
    {"CloseKey", "S", "", "", kGone},  // a presence test gives the close's status
    {"Version Processor DateText TimeText", "T",
     "-OPERATING SYSTEM:..SYSTEM DATE :", "Stats.Form1.VersionInformation51Internal error"},
    {"Memory DiskSpace", "T",
     "-TOTAL PHYSICAL MEMORY:..NUMBER OF COLORS:", "Stats.Form1.SystemInformation51Internal error"},
    {"DiskSpace", "S", "TOTAL DISK SPACE:         0 MB|TOTAL FREE DISK SPACE:    0 MB"},
    {"UserNameInto", "SO", "<pre>USER NAME:               "},
    {"UserNameInto", "T", "-<pre>USER NAME:", "Stats.Form1.UserName51Internal error"},
    {"ComputerNameInto", "SO", "COMPUTER NAME:           " + std::string(32, 'X')},
    {"TempPathInto", "SO", "TEMPORARY DIRECTORY :    "},
    {"TempPathInto", "T",
     "TEMPORARY DIRECTORY :    ", "Stats.Form1.GetTempDirectory51Internal error"},
    {"EnvironmentVariable", "E", "PATH :                   |TORVELK :                </pre>"},
    {"EnvironmentVariable", "T", "PATH :                   |TORVELK :                </pre>",
     "Stats.Form1.GetEnvironmentVar51Internal error|Stats.Form1.GetEnvironmentVar51Internal error"},
    {"NetbiosAdapterAddress", "S", "Ethernet Address:        001A2B3C4D5F"},
    {"SocketsStart", "S", kIp, "The 32-bit Windows Socket is not responding."},
    {"SocketsStart", "E", kIp, "This application requires a minimum of 1 supported sockets."},
    {"HostName", "S", kIp,
     "Windows Sockets error  10093 has occurred. Unable to successfully get Host Name."},
    {"FirstHostAddress", "S", kIp,
     "Windows Sockets are not responding. Unable to successfully get Host Name."},
    {"FindRunning Create", "T", kDate + kNoHost + "|" + kRevision + kNoHost},
    {"Create", "E", kDate + kNoObject + "|" + kRevision + kNoObject},
    {"DateCode", "T", kDate + kNoHost},
    {"DateCode", "E",
     kDate + "not available: the host's date code is not a whole number (error 80020005)"},
    {"RevisionNumber", "T", kRevision + kNoHost},
    {"RevisionNumber", "E", kRevision},
    {"TickCount", "O", "Your system has been running for 5124095576030 hours and 26 minutes."},
    // A failure that no collector handles ends the run; so does a report that is read-only.
    {"ComputerNameInto NetbiosAdapterAddress SocketsStart SocketsCleanup HostName FirstHostAddress "
     "Attributes WriteWhole MoveReplacing TickCount",
     "T", "", kNotWritten + "Internal error", kAsIs, true, true},
    {"WriteWhole MoveReplacing", "S", "", kNotWritten + "Error text 5.", kAsIs, true, true},
    {"Attributes", "O", "", kNotWritten + "Error text 5.", kAsIs, true, true},
    {"ExeFolder", "T", "", "The report could not be written to TORVEL Info.htm.\r\nInternal error",
     kAsIs, true, true},
};

// Equal reports, or where they first differ.
::testing::AssertionResult SameReport(const std::string& got, const std::string& want) {
  if (got == want) return ::testing::AssertionSuccess();
  const auto at = std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first;
  const std::size_t line = got.rfind('\n', at - got.begin()) + 1;  // 0 on the first line
  return ::testing::AssertionFailure()
         << "written:  " << got.substr(line, 150) << "\nexpected: " << want.substr(line, 150);
}

std::string Expected(const Case& c) {
  std::vector<std::string> lines = ExpectedLines();
  auto find = [&](auto from, const std::string& start) {
    return std::find_if(from, lines.end(), [&](auto& line) { return line.starts_with(start); });
  };
  for (const std::string& line : Split(c.lines)) {
    if (!line.starts_with("-")) {
      *find(lines.begin(), line.substr(0, 25)) = line;
      continue;
    }
    const std::size_t dots = line.find("..");
    auto first = find(lines.begin(), line.substr(1, dots - 1));
    lines.erase(first, find(first, line.substr(dots == std::string::npos ? 1 : dots + 2)) + 1);
  }
  for (const std::string year : {"2004", "2005", "2006"}) {
    if (!c.editions_read)
      *find(lines.begin(), "Partwright " + year) = "Partwright " + year + " Installed version: N/A";
  }
  if (c.products == kValuesEmpty || c.products == kValuesBig) {
    ReadValuesAs(c.products == kValuesBig ? std::string(kBig, 'W') : "", lines.begin() + 40,
                 lines.begin() + 135);
  }
  if (c.products == kGone) lines.erase(lines.begin() + 40, lines.begin() + 135);
  return Joined(lines);
}

TEST(Report, EveryOperationFailingEachWayGivesTheExpectedReportOrKeepsThePreviousOne) {
  for (const std::string op : {"",
                               "OpenKey",
                               "QueryValue",
                               "CloseKey",
                               "Version",
                               "Processor",
                               "Memory",
                               "DiskSpace",
                               "DateText",
                               "TimeText",
                               "UserNameInto",
                               "ComputerNameInto",
                               "TempPathInto",
                               "EnvironmentVariable",
                               "NetbiosAdapterAddress",
                               "SocketsStart",
                               "SocketsCleanup",
                               "HostName",
                               "FirstHostAddress",
                               "ExeFolder",
                               "Attributes",
                               "WriteWhole",
                               "MoveReplacing",
                               "Execute",
                               "FindRunning",
                               "Create",
                               "DateCode",
                               "RevisionNumber",
                               "ExitApp",
                               "TickCount"}) {
    for (const char mode : std::string("STEO")) {
      SCOPED_TRACE(op + " " + mode);
      const Case none{"", ""};
      const Case* c = &none;
      for (const Case& row : kCases) {
        if ((" " + row.ops + " ").find(" " + op + " ") != std::string::npos &&
            row.modes.find(mode) != std::string::npos)
          c = &row;
      }
      Machine m;
      m.fail = {op, static_cast<Mode>(std::string(" STEO").find(mode))};
      m.files[kReport] = {"previous", 0};
      const Platform p = m.platform();
      bool written = false;
      EXPECT_NO_THROW(if ((written = RunReport(p))) OpenReport(p, 0));
      std::vector<std::string> boxes;
      for (const std::string& entry : m.log) {
        const std::string box = "box TORVEL Support Tool: ";
        if (entry.starts_with("box "))
          boxes.push_back(entry.starts_with(box) ? entry.substr(box.size()) : entry);
      }
      EXPECT_EQ(boxes, Split(c->boxes));
      EXPECT_EQ(written, !c->fails);
      EXPECT_TRUE(SameReport(m.files[kReport].first, c->fails ? "previous" : Expected(*c)));
      EXPECT_EQ(m.files.size(), 1u);  // no temporary file beside it
      EXPECT_EQ(
          (std::array{static_cast<int>(m.handles.size()), m.sockets, m.objects, m.busy}),
          (std::array{0, 0, 0, 0}));
      // A host the report started (every report without a fault starts one) is told to exit once.
      EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "call ExitApp()"),
                std::count(m.log.begin(), m.log.end(), "create Partwright.Application"));
      EXPECT_EQ(m.hits > 0, !op.empty());
    }
  }
}

TEST(Report, ReaderStatusesDefaultsAndKeysClosed) {
  Machine m(false);
  const std::string key = "Software\\TORVELSupportTests\\Reader";
  for (const expected::StoredValue& v : expected::ReaderValues())
    m.SetValue(kHkeyCurrentUser, key, v.name, v.type, v.bytes);
  for (const expected::ReadCase& c : expected::ReaderCases()) {
    const std::size_t opens = m.opened.size();
    RegValue value = std::string("stale");
    EXPECT_EQ(ReadRegistryValue(m, c.root, key + c.below, c.name, c.kind, c.default_value, value),
              c.status)
        << c.root << c.below << " " << c.name << " " << c.kind;
    EXPECT_EQ(value, c.expected) << c.name;
    EXPECT_EQ(m.opened.size() - opens + static_cast<int>(m.handles.size()),
              c.status == kStatusNoRoot ? 0u : 1u)
        << c.root;
  }
}

// Each product's presence test and its section's lines in the expected report, in test order.
struct Product {
  const char* root;
  const char* key;
  int first_line, lines;
} const kProducts[] = {{"HKCU", "Software\\VRAX\\TORVEL/FRAME", 41, 6},
                       {"HKLM", "Software\\VRAX\\TORVEL/FRAME", 47, 32},
                       {"HKLM", "Software\\VRAX\\DraftPilot", 79, 11},
                       {"HKLM", "Software\\VRAX\\TORVEL/K", 90, 9},
                       {"HKLM", "Software\\VRAX\\TORVELKinema", 122, 14},
                       {"HKLM", "Software\\VRAX\\TORVELAeroMesh", 106, 16},
                       {"HKLM", "Software\\VRAX\\TORVEL/ELX", 99, 7}};

TEST(Report, ProductSectionForEachKeyUnderItsRootWithMissingValuesEmpty) {
  const std::vector<std::string> report = ExpectedLines();
  for (const Product& product : kProducts) {
    for (const std::string root : {"HKCU", "HKLM"}) {
      Machine m(false);  // the product key alone, without any value
      m.AddKey(GetRootKey(root), product.key);
      std::vector<std::string> want;
      for (const Product& p : kProducts) {
        if (p.root == root && p.key == product.key)
          want.assign(report.begin() + p.first_line - 1,
                      report.begin() + p.first_line - 1 + p.lines);
      }
      ReadValuesAs("", want.begin(), want.end());
      ReportStream out;
      WriteProductSections(m, out);
      EXPECT_EQ(out.text(), Joined(want)) << root << "\\" << product.key;
    }
  }
  Machine m;
  ReportStream out;
  WriteProductSections(m, out);
  for (std::size_t i = 0; i < std::size(kProducts); ++i)
    EXPECT_EQ(m.opened.at(i), std::string(kProducts[i].key) + "\\");
}

}  // namespace
}  // namespace torvel::testing
