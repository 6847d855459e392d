#include "mail/mail_link.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_ui.h"
#include "mail/email_command.h"

namespace torvel {
namespace {

// Reverses PercentEncode, for the round trip below.
std::string PercentDecode(const std::string& text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

TEST(PercentEncode, EncodesAllButUnreservedBytes) {
  struct Case {
    std::string text;
    const char* encoded;
  } cases[] = {
      {"", ""},
      {"AZaz09-._~", "AZaz09-._~"},
      {" ", "%20"},
      {"'", "%27"},
      {"\\", "%5C"},
      {"\r\n", "%0D%0A"},
      {"&#%?=+/:@", "%26%23%25%3F%3D%2B%2F%3A%40"},
      {std::string("a\0b", 3), "a%00b"},
      {"\xE9\xFF\x80", "%E9%FF%80"},
  };
  for (const Case& c : cases) EXPECT_EQ(PercentEncode(c.text), c.encoded) << c.text;
}

TEST(PercentEncode, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  const std::string encoded = PercentEncode(all);
  EXPECT_EQ(encoded.find_first_not_of(
                "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"),
            std::string::npos);
  EXPECT_EQ(PercentDecode(encoded), all);
}

TEST(BuildMailLink, Table) {
  const std::string kBodyInFolder = "%20directory.%0D%0AThanks.";
  struct Case {
    const char* name;
    std::string address, subject, body;
    std::string link;
  } cases[] = {
      {"plain address", "help@torvel.example", "Hi", "Text",
       "mailto:help@torvel.example?subject=Hi&body=Text"},
      {"scheme in capitals kept", "MAILTO:help@torvel.example", "Hi", "Text",
       "MAILTO:help@torvel.example?subject=Hi&body=Text"},
      {"scheme in mixed case kept", "MailTo:a@b", "", "", "MailTo:a@b"},
      {"scheme without address", "mailto:", "", "", "mailto:"},
      {"shorter than the scheme", "mail", "", "", "mailto:mail"},
      {"scheme-like but not it", "mailto-x@b", "", "", "mailto:mailto-x@b"},
      {"address with ? and & unchanged", "a@b.example?cc=c@d.example&bcc=e@f", "S", "B",
       "mailto:a@b.example?cc=c@d.example&bcc=e@f?subject=S&body=B"},
      {"blanks only", "   ", "S", "B", "mailto:   ?subject=S&body=B"},
      {"no subject, no body", "a@b", "", "", "mailto:a@b"},
      {"subject only", "a@b", "S", "", "mailto:a@b?subject=S"},
      {"body only", "a@b", "", "B", "mailto:a@b?body=B"},
      {"both encoded", "a@b", "TORVEL Info.htm file attached", "x & y",
       "mailto:a@b?subject=TORVEL%20Info.htm%20file%20attached&body=x%20%26%20y"},
      {"folder holding &, #, % and blanks", "a@b", "S", LinkBody("C:\\R&D #2 100%"),
       "mailto:a@b?subject=S&body=Please%20attach%20the%20%27TORVEL%20Info.htm%27%20file%20"
       "created%20in%20C%3A%5CR%26D%20%232%20100%25" +
           kBodyInFolder},
      {"drive root folder", "a@b", "", LinkBody("D:\\"),
       "mailto:a@b?body=Please%20attach%20the%20%27TORVEL%20Info.htm%27%20file%20created%20in%20"
       "D%3A%5C" +
           kBodyInFolder},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildMailLink(c.address, c.subject, c.body), c.link) << c.name;
  }
}

TEST(SendMailLink, OpensTheLinkWithoutOwnerAndShown) {
  testing::FakeShell shell;
  SendMailLink(shell, "a@b", "S", "B");
  ASSERT_EQ(shell.executed.size(), 1u);
  const auto& open = shell.executed[0];
  EXPECT_EQ(open.owner, 0u);
  EXPECT_EQ(open.operation, "open");
  EXPECT_EQ(open.file, "mailto:a@b?subject=S&body=B");
  EXPECT_EQ(open.parameters, "");
  EXPECT_EQ(open.directory, "");
  EXPECT_EQ(open.show, 5);
}

}  // namespace
}  // namespace torvel
