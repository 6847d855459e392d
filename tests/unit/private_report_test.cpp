// The private report: names and addresses replaced in their fields and, as whole words in any
// case, in every other text of both files; a name too short or too common kept elsewhere, said so.
#include "report/private_report.h"

#include "report/html_report.h"
#include "report/json_report.h"
#include "unit/test_support.h"

namespace torvel::testing {
namespace {

// The fake machine's facts with these names and addresses, and `text` in every other text the
// files show: drive, folder, environment, product values, the host's answer and failure, problems.
Facts Made(const std::string& user, const std::string& computer, const std::string& ip,
           const std::string& ethernet, const std::string& text) {
  Machine m;
  m.user_name = user;
  m.computer_name = computer;
  Facts f = CollectFacts(m.sources(), m);
  f.machine.ip_address = ip;
  f.machine.ethernet_address = ethernet;
  f.machine.resources->drive_root = text + "\\";
  f.machine.temporary_directory = f.machine.path = f.machine.torvelk = text;
  for (SectionFacts& section : f.products.sections) {
    for (ValueRead& value : section.values) value.text = text;
  }
  f.host.revision_number = text;
  f.host.date_code.reset();
  f.host.date_code_failure = ErrorInfo{1, text};
  f.problems.push_back({"GetTempDirectory", 1, text});
  return f;
}

TEST(PrivateReport, ReplacesNamesAndAddressesAlikeInBothFiles) {
  struct Case {
    std::string user, computer, ip, ethernet;  // as collected
    std::string text, private_text;            // in every other text, and as the files show it
    std::string kept = "";                     // the private line's sentence on names kept
    std::string private_user = "user1", private_ip = "192.0.2.1", private_ethernet = "00005E005300";
  };
  const std::string one =
      " name is replaced on its own line only: it is too short or too common "
      "to tell from other words.";
  // clang-format off
  const Case cases[] = {
      {"alice", "ALICE-PC", "192.168.10.27", "001A2B3C4D5E",
       "C:\\Users\\ALICE\\; Malice Ltd, alice\xC3\xA9; alice-pc.corp 192.168.10.27 (001a2b3c4d5e) "
       "192.168.10.271",
       "C:\\Users\\user1\\; Malice Ltd, alice\xC3\xA9; computer1.corp 192.0.2.1 (00005E005300) "
       "192.168.10.271"},
      // Two characters, however many bytes; an address that could not be had has nothing to hide.
      {"J\xC3\xB6", "Admin", "", "000000000000", "C:\\Users\\J\xC3\xB6\\ ADMIN 000000000000",
       "C:\\Users\\J\xC3\xB6\\ ADMIN 000000000000",
       " The user's and the computer's names are replaced on their own lines only: they are too "
       "short or too common to tell from other words.", "user1", "", "000000000000"},
      {"Administrator", "ALICE-PC", "10.0.0.5", "001A2B3C4D5E", "administrator@alice-pc",
       "administrator@computer1", " The user's" + one},
      {"", "PC", "10.0.0.5", "001A2B3C4D5E", "C:\\Users\\ on pc", "C:\\Users\\ on pc",
       " The computer's" + one, ""}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Facts real = Made(c.user, c.computer, c.ip, c.ethernet, c.text);
    const Facts expected =
        Made(c.private_user, "computer1", c.private_ip, c.private_ethernet, c.private_text);
    std::string html = RenderHtml(expected), json = RenderJson(expected);
    const std::string line =
        "<p align=center>Names and addresses in this report are replaced "
        "(private report).";
    html.insert(html.find("</h1>\r\n") + 7, line + c.kept + "</p>\r\n");
    json.insert(json.find("1,\n") + 3, "  \"private\": true,\n");
    const Facts hidden = PrivateFacts(real);
    EXPECT_EQ(RenderHtml(hidden), html);
    EXPECT_EQ(RenderJson(hidden), json);
    EXPECT_EQ(PrivateText(c.text, real.machine), c.private_text);
  }
}

}  // namespace
}  // namespace torvel::testing
