// The commands, the mail roads, the viewer launcher and the host section on the fake machine
// (what the user is shown and what leaves the tool, in order), and the text forms alone.
#include "app/commands.h"

#include <gtest/gtest.h>

#include "app/about_texts.h"
#include "app/sysinfo_launcher.h"
#include "app/uptime.h"
#include "fakes/fake_machine.h"
#include "hostapp/host_section.h"
#include "machine/network_identity.h"
#include "machine/os_version.h"
#include "machine/resources.h"
#include "mail/email_command.h"
#include "mail/mail_link.h"
#include "report/report_writer.h"
#include "report/text_forms.h"

namespace torvel::testing {
namespace {

const std::string kWrote = "wrote " + std::string(kReport) + "|";
const std::string kOutlook = "ask Email Option: Do you use MS Outlook as your Email Client?|";
const std::string kAsk =
    "ask View/Save to a File:  Do you want to view the information?\r\n(Information will be "
    "automatically saved to C:\\Program Files\\TORVEL\\TORVEL Info.htm File.)|";
const std::string kNotWritten = "box TORVEL Support Tool: The report could not be written to " +
                                std::string(kReport) + ".\r\nError text 5.";
const std::string kNotSent = "box Email Delivery: The email was not sent. ";
const std::string kSaved = ".\r\nInternal error (error 0x00000033)\r\n\r\nThe report is saved as " +
                           std::string(kReport) + ". Please attach it to an email by hand.";

TEST(Commands, WhatTheUserSeesAndWhatLeavesTheTool) {
  struct Flow {
    const char* recipient;  // null: View/Save
    Answer answer;
    std::string log;  // "|" between the entries
    std::pair<std::string, Mode> fail = {};
  } const flows[] = {
      {nullptr, Answer::kYes, kAsk + kWrote + "open 7, , " + kReport + ", , C:\\, 1"},
      {nullptr, Answer::kNo,
       kAsk + kWrote + "box View/Save to a File: Information written to " + kReport + " File. "},
      {nullptr, Answer::kYes, kAsk + kNotWritten, {"WriteWhole", Mode::kStatus}},
      {"", Answer::kYes,
       "box Error: Email address can not have a null value. Please type in the correct email "
       "address."},
      {"a@b", Answer::kYes, kNotWritten, {"MoveReplacing", Mode::kStatus}},
      {" a@b?cc=c", Answer::kNo,
       kWrote + kOutlook +
           "open 0, open, mailto: "
           "a@b?cc=c?subject=TORVEL%20Info.htm%20file%20attached&body=Please%20attach%20the%20%"
           "27TORVEL%20Info.htm%27%20file%20created%20in%20C%3A%5CProgram%20Files%5CTORVEL%"
           "20directory.%0D%0AThanks., , , 5"},
      {"a@b", Answer::kYes,
       kWrote + kOutlook +
           "create Outlook.Application|call CreateItem(0)|put To=a@b|put Subject=TORVEL Info.htm "
           "File|put Body=TORVEL Info.htm file attached|get Attachments|call Add(" +
           kReport + ")|call Send()|box Email Delivery: Email successfully sent. "},
      {"a@b",
       Answer::kYes,
       kWrote + kOutlook + kNotSent + "The mail client could not be started" + kSaved,
       {"Create", Mode::kThrow}},
      {"a@b",
       Answer::kYes,
       kWrote + kOutlook + "create Outlook.Application|call CreateItem(0)|" + kNotSent +
           "The mail client did not create a new mail" + kSaved,
       {"CreateItem", Mode::kThrow}},
      {"a@b",
       Answer::kYes,
       kWrote + kOutlook + "create Outlook.Application|call CreateItem(0)|put To=a@b|" + kNotSent +
           "The mail could not be addressed" + kSaved,
       {"To", Mode::kThrow}},
  };
  for (const Flow& flow : flows) {
    Machine m;
    MailState state;
    m.host_installed = false;
    m.fail = flow.fail;
    m.answers = {flow.answer};
    if (flow.recipient) EmailCommand(m.platform(), 7, flow.recipient, state);
    if (!flow.recipient) SaveViewCommand(m.platform(), 7);
    EXPECT_EQ(m.log, Split(flow.log));
  }
}

TEST(Commands, TheMailClientIsStartedOnceAndAgainOnlyAfterItFailed) {
  for (const std::string op : {"Send", "CreateItem"}) {
    Machine m;
    MailState state;
    m.fail = {op, Mode::kThrow};
    m.answers = {Answer::kYes, Answer::kYes};
    EmailCommand(m.platform(), 0, "a@b", state);
    m.fail = {};
    EmailCommand(m.platform(), 0, "a@b", state);
    EXPECT_EQ(m.log.back(), "box Email Delivery: Email successfully sent. ");
    EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "create Outlook.Application"),
              op == "Send" ? 1 : 2);
  }
}

TEST(Commands, SystemInformationViewer) {
  const std::string kNone =
      "box TORVEL Support Tool: System Information Is Unavailable At This Time";
  struct Viewer {
    std::uint32_t type;  // of the PATH value; 0: none
    std::string path;
    std::uint32_t attributes;  // of MSINFO32.EXE in the MSINFO folder; 1: no such file
    bool starts;
    std::string log;
  } const viewers[] = {
      {kRegSz, std::string("C:\\v.exe\0", 9), 1, true, "start C:\\v.exe"},
      {kRegSz, "C:\\v.exe", 1, false, "start C:\\v.exe|" + kNone},
      {kRegDword, std::string("\x05\x01\0\0", 4), 1, true, "start 261"},
      {kRegSz, std::string(1025, 'x'), 0, true, "start C:\\f\\MSINFO32.EXE"},
      {0, "", 0, true, "start C:\\f\\MSINFO32.EXE"},
      {0, "", kAttrHidden, true, kNone},
      {0, "", 1, true, kNone},
  };
  for (const Viewer& v : viewers) {
    Machine m(false);
    if (v.type) m.SetValue(kHkeyLocalMachine, kSysInfoKey, "PATH", v.type, v.path);
    m.SetValue(kHkeyLocalMachine, kSysInfoLocationKey, "MSINFO", kRegSz, "C:\\f");
    if (v.attributes != 1) m.files["C:\\f\\MSINFO32.EXE"] = {"", v.attributes};
    m.start_ok = v.starts;
    StartSysInfo(m.platform());
    EXPECT_EQ(m.log, Split(v.log));
    EXPECT_EQ(m.handles.size(), 0);
  }
}

TEST(Commands, EditionsReadAsCodes) {
  for (const auto& [code, edition] : {std::pair{0, "Partwright"}, {4, "N/A"}, {-1, "N/A"}}) {
    Machine m;
    m.SetValue(kHkeyLocalMachine, "Software\\Partwright\\Partwright 2005\\Setup",
               "Partwright Studio Installed", kRegDword,
               std::string(reinterpret_cast<const char*>(&code), 4));
    ReportStream section;
    PartwrightInformation(m.platform(), section);
    EXPECT_NE(
        section.text().find("\nPartwright 2005 Installed version: " + std::string(edition) + "\r"),
        std::string::npos);
  }
}

TEST(Forms, FixedInputs) {
  const std::pair<std::string, std::string> cases[] = {
      {PlainDecimal(-7), "-7"},
      {SignPosition(0) + SignPosition(-2147483648LL), " 0-2147483648"},
      {SignPositionSingle(2) + SignPositionSingle(65536) + SignPositionSingle(9999999),
       " 2 65536 9999999"},
      {SignPositionSingle(16777216) + SignPositionSingle(4294967296.0f),
       " 1.677722E+07 4.294967E+09"},
      {SignPositionSingle(-0.25f), "-.25"},
      {MegabyteForm(2047.6) + MegabyteForm(2.5) + MegabyteForm(3221225472.0 / 1048576),
       " 2048 3 3072"},
      {MegabyteForm(1e300), " 9200000000000000000"},
      {PadLabel("PATH :", 25) + PadLabel("longer than its width", 4),
       "PATH :                   longer than its width"},
      {EscapeHtml("R&D <x> \"y\" 'z' &amp;"), "R&amp;D &lt;x&gt; \"y\" 'z' &amp;amp;"},
      {UptimeSentence(SystemRunning(6000000)),
       "Your system has been running for 1 hours and 40 minutes."},
      {UptimeSentence(SystemRunning(3580000)),
       "Your system has been running for 1 hours and 0 minutes."},
      {UptimeSentence(SystemRunning(150000)),
       "Your system has been running for 0 hours and 2 minutes."},
      {ReportPath("D:\\") + DriveRoot("D:\\Tools") + DriveRoot("\\\\server\\share"),
       "D:\\\\TORVEL Info.htmD:\\\\\\"},
      {std::to_string(PixelsFromTwips(15360, 7.5)), "2048"},
      {HexAddress({0, 12, 41, 171, 205, 239}) + " " + DottedAddress({192, 168, 0, 5}),
       "000C29ABCDEF 192.168.0.5"},
      {PlatformText(1) + PlatformText(2) + PlatformText(3) + ProcessorText(386) +
           ProcessorText(486) + ProcessorText(8664),
       "Windows95 Windows NT 386486586"},
      {BuildMailLink("MAILTO:a@b?cc=c", "S", "x & y\r\n"),
       "MAILTO:a@b?cc=c?subject=S&body=x%20%26%20y%0D%0A"},
      {BuildMailLink("mail", "", "'C:\\R#1 100%'"), "mailto:mail?body=%27C%3A%5CR%231%20100%25%27"},
      {BuildMailLink(" a@b", "", "") + PercentEncode(std::string("AZaz09-._~\0\xE9", 12)),
       "mailto: a@bAZaz09-._~%00%E9"},
      {BuildAboutTexts().version, "Version 2.1.0              (C) TORVEL"},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace torvel::testing
