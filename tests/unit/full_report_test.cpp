// The whole report for a machine on which every fact is present, compared byte for byte with the
// expected file.
#include "unit/expected/full_report.h"

#include <gtest/gtest.h>

#include "fakes/fake_machine_populated.h"
#include "report/report_writer.h"

namespace torvel {
namespace {

using testing::FakeMachine;

// The first line where two reports differ, for a readable failure.
std::string FirstDifference(const std::string& actual, const std::string& wanted) {
  const std::vector<std::string> a = expected::SplitLines(actual);
  const std::vector<std::string> w = expected::SplitLines(wanted);
  for (std::size_t i = 0; i < std::max(a.size(), w.size()); ++i) {
    const std::string got = i < a.size() ? a[i] : "<no line>";
    const std::string want = i < w.size() ? w[i] : "<no line>";
    if (got != want) {
      return "line " + std::to_string(i + 1) + "\n  written:  " + got + "\n  expected: " + want;
    }
  }
  return "the lines agree; the line ends differ";
}

TEST(FullReportTest, ReportOfThePopulatedMachineIsTheExpectedFile) {
  const std::string wanted = expected::FullReport();
  ASSERT_GT(wanted.size(), 1000u) << "expected report not found";
  FakeMachine machine;
  testing::PopulateFullMachine(machine);
  WriteToFile(machine.platform());

  const std::string& written = machine.files.files.at(testing::kPopulatedReport).content;
  EXPECT_TRUE(written == wanted) << FirstDifference(written, wanted);
  // A complete run on a sound machine shows no box, starts the host and lets it go.
  EXPECT_TRUE(machine.dialogs.shown.empty());
  ASSERT_EQ(machine.automation.created().size(), 1u);
  EXPECT_EQ(machine.automation.created()[0]->Count("ExitApp"), 1);
  EXPECT_EQ(machine.automation.released(), 1);
}

}  // namespace
}  // namespace torvel
