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

// What each case's private report shows, in tests/expected/private_report.txt: its line under the
// title and the fields and text as both files hold them, which every other text of both files
// holds alike.
TEST(PrivateReport, ReplacesNamesAndAddressesAlikeInBothFiles) {
  struct Case {
    std::string user, computer, ip, ethernet, text;  // as collected, `text` in every other text
  } const cases[] = {
      {"alice", "ALICE-PC", "192.168.10.27", "001A2B3C4D5E",
       "C:\\Users\\ALICE\\; Malice Ltd, alice\xC3\xA9; alice-pc.corp 192.168.10.27 (001a2b3c4d5e) "
       "192.168.10.271"},
      // Two characters, however many bytes; an address that could not be had has nothing to hide.
      {"J\xC3\xB6", "Admin", "", "000000000000", "C:\\Users\\J\xC3\xB6\\ ADMIN 000000000000"},
      {"Administrator", "ALICE-PC", "10.0.0.5", "001A2B3C4D5E", "administrator@alice-pc"},
      {"", "PC", "10.0.0.5", "001A2B3C4D5E", "C:\\Users\\ on pc"}};
  std::string transcript;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Facts hidden = PrivateFacts(Made(c.user, c.computer, c.ip, c.ethernet, c.text));
    const MachineFacts& m = hidden.machine;
    const std::string text = hidden.machine.path.value_or("");
    const Facts alike =
        Made(m.user_name.value_or(""), m.computer_name, m.ip_address, m.ethernet_address, text);
    std::string html = RenderHtml(alike), json = RenderJson(alike);
    const std::size_t line = html.find("</h1>\r\n") + 7;
    html.insert(line,
                RenderHtml(hidden).substr(line, RenderHtml(hidden).find("\r\n", line) + 2 - line));
    json.insert(json.find("1,\n") + 3, "  \"private\": true,\n");
    EXPECT_EQ(RenderHtml(hidden), html);
    EXPECT_EQ(RenderJson(hidden), json);
    transcript += html.substr(line, html.find("\r\n", line) - line) + "\n" +
                  m.user_name.value_or("") + " " + m.computer_name + " " + m.ip_address + " " +
                  m.ethernet_address + "\n" + text + "\n\n";
  }
  EXPECT_EQ(transcript, ExpectedFile("private_report.txt"));
}

}  // namespace
}  // namespace torvel::testing
