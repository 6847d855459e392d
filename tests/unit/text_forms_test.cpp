// The report's number and text forms on fixed inputs, and what the progress window shows.
#include "machine/system_information.h"
#include "machine/uptime.h"
#include "mail/mail_link.h"
#include "platform/progress.h"
#include "report/report_texts.h"
#include "report/report_writer.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(TextForms, OnFixedInputs) {
  const std::string running = "Your system has been running for ";
  auto edition = [](int code) { return std::string(EditionName(code).value_or("N/A")); };
  // The progress window at `now` of a command begun at 5000 that asks a program: nothing in its
  // first second, then the step and the whole seconds left, rounded up.
  auto progress = [](std::uint64_t now, std::optional<std::uint64_t> give_up_at) {
    ProgressState state;
    state.Begin(5000);
    state.Step("Asking");
    state.Asking(give_up_at);
    const std::optional<ProgressView> view = state.At(now);
    return !view ? "-"
                 : view->step + (view->seconds_left ? std::to_string(*view->seconds_left) : "");
  };
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {SignPosition(-7), "-7"}, {SignPosition(0), " 0"}, {SignPositionSingle(-0.25f), "-.25"},
      {SignPositionSingle(9999999), " 9999999"},
      {SignPositionSingle(4294967296.0f), " 4.294967E+09"},
      {MegabyteForm(2.5), " 3"}, {MegabyteForm(1e300), " 9200000000000000000"},
      {UptimeSentence(SystemRunning(150000)), running + "0 hours and 2 minutes."},
      {UptimeSentence(SystemRunning(3580000)), running + "1 hours and 0 minutes."},
      {DriveRoot("\\\\server\\share\\tool"), "\\\\server\\share\\"},
      {ReportPath("D:\\"), "D:\\\\TORVEL Info.htm"},
      {std::to_string(PixelsFromTwips(15360, 7.5)), "2048"},
      {progress(6000, 26000), "-"}, {progress(6001, {}), "Asking"},
      {progress(6001, 26000), "Asking20"}, {progress(7500, 26000), "Asking19"},
      {progress(27000, 26000), "Asking0"},
      {edition(-1), "N/A"}, {edition(3), "Partwright Studio Max"}, {edition(4), "N/A"},
      // Four-byte characters whole; a control character or a cut sequence replaced.
      {EscapeHtml("\"'&amp;<\x01\xF0\x9F\x98\x80\xF0\x9F\x98"),
       "\"'&amp;amp;&lt;\xEF\xBF\xBD\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {BuildMailLink("MAILTO:a@b?cc=c", "S", "x & y\r\n"),
       "MAILTO:a@b?cc=c&subject=S&body=x%20%26%20y%0D%0A"},
      {BuildMailLink("mail", "", std::string("~\0\xE9", 3)), "mailto:mail?body=~%00%E9"}};
  // clang-format on
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

}  // namespace torvel::testing
