// The whole report for a machine on which every fact is present, compared byte for byte with the
// expected file.
#include "unit/expected/full_report.h"

#include <gtest/gtest.h>

#include "fakes/fake_machine_populated.h"
#include "report/report_writer.h"

namespace torvel {
namespace {

using testing::FakeMachine;

TEST(FullReportTest, ReportOfThePopulatedMachineIsTheExpectedFile) {
  const std::string wanted = expected::FullReport();
  ASSERT_GT(wanted.size(), 1000u) << "expected report not found";
  FakeMachine machine;
  testing::PopulateFullMachine(machine);
  WriteToFile(machine.platform());

  const std::string& written = machine.files.files.at(testing::kPopulatedReport).content;
  EXPECT_TRUE(written == wanted) << expected::FirstDifference(written, wanted);
  // A complete run on a sound machine shows no box, starts the host and lets it go.
  EXPECT_TRUE(machine.dialogs.shown.empty());
  ASSERT_EQ(machine.automation.created().size(), 1u);
  EXPECT_EQ(machine.automation.created()[0]->Count("ExitApp"), 1);
  EXPECT_EQ(machine.automation.released(), 1);
}

}  // namespace
}  // namespace torvel
