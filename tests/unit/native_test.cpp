// The native suite on the fake machine: the whole report with operations failing, the product
// sections and the registry reader, the commands, and the text forms on fixed inputs.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>

#include "commands/command_line.h"
#include "commands/commands.h"
#include "commands/email_command.h"
#include "commands/viewer_launcher.h"
#include "expected/reader_cases.h"
#include "fakes/fake_machine.h"
#include "hostapp/host_section.h"
#include "machine/identity_facts.h"
#include "machine/system_information.h"
#include "machine/uptime.h"
#include "mail/mail_link.h"
#include "platform/progress.h"
#include "products/product_sections.h"
#include "report/html_report.h"
#include "report/json_report.h"
#include "report/report_writer.h"
#include "text/fragments.h"

namespace torvel::testing {
namespace {

// What a registry failure does to the product portion (lines 42 to 136 of the expected report)
// and to the edition lines; or a run that fails and leaves the previous report.
enum Effect { kLines, kGone, kValuesEmpty, kValuesBig, kFails };

// Operations that fail alike in the modes given (S status, T thrown, E empty, O oversized), the
// changed lines ("|" between them; each replaces the line that starts with its first 25
// characters; "-A..B" drops the lines from one starting with A to one starting with B) and the
// messages shown in the application's title.
struct Case {
  std::string ops, modes, lines = "", boxes = "";
  Effect effect = kLines;
};
const std::string kIp = "IP Address:              ",
                  kHost = "not available: Internal error (error 0x00000033)";
const std::string kDate = "<pre>Partwright Date Code:       ",
                  kRevision = "Partwright Revision Number:  ";
const std::string kFolder = "C:\\Program Files\\TORVEL\\", kPlanted = kFolder + "~TRV5EED0000.tmp",
                  kLeftover = kFolder + "~TRV0000000A.tmp", kYoung = kFolder + "~TRV0000000B.tmp";
const std::string kFailed = "The report could not be written to " + std::string(kReport) + ".\r\n";
const std::string kNoObject = "not available: the host gave no object (error 0x80004003)";
const Case kCases[] = {
    {"None Execute ExitApp CloseKey", "T"},  // nothing changes, nothing escapes
    {"FindRunning", "O"},                    // a running host, used and left running
    {"OpenKey", "ST", "", "", kGone},
    {"QueryValue", "ST", "", "", kValuesEmpty},
    {"QueryValue", "O", "", "", kValuesBig},
    {"Version Processor DateText TimeText", "T",
     "-OPERATING SYSTEM:..SYSTEM DATE :", "Stats.Form1.VersionInformation51Internal error"},
    {"Memory DiskSpace ExeFolder", "T",
     "-TOTAL PHYSICAL MEMORY:..NUMBER OF COLORS:", "Stats.Form1.SystemInformation51Internal error"},
    {"UserNameInto", "SO", "<pre>USER NAME:               "},
    {"UserNameInto", "T", "-<pre>USER NAME:", "Stats.Form1.UserName51Internal error"},
    {"ComputerNameInto", "SO", "COMPUTER NAME:           " + std::string(32, 'X')},
    {"TempPathInto", "SO", "TEMPORARY DIRECTORY :    "},
    {"TempPathInto", "T",
     "TEMPORARY DIRECTORY :    ", "Stats.Form1.GetTempDirectory51Internal error"},
    {"EnvironmentVariable", "E", "PATH :                   |TORVELK :                </pre>"},
    {"NetbiosAdapterAddress", "SE", "Ethernet Address:        001A2B3C4D5F"},
    {"SocketsStart", "S", kIp, "The 32-bit Windows Socket is not responding."},
    {"FirstHostAddress", "S", kIp,
     "Windows Sockets are not responding. Unable to successfully get Host Name."},
    {"FindRunning Create", "T", kDate + kHost + "|" + kRevision + kHost},
    {"Create", "E", kDate + kNoObject + "|" + kRevision + kNoObject},
    {"DateCode", "T", kDate + kHost},
    {"RevisionNumber", "T", kRevision + kHost},
    {"TickCount", "O", "Your system has been running for 5124095576030 hours and 26 minutes."},
    // A failure that no collector handles ends the run; so does a report that is read-only.
    {"ComputerNameInto NetbiosAdapterAddress SocketsStart SocketsCleanup HostName Attributes "
     "CreateNew WriteAll Place TickCount",
     "T", "", kFailed + "Internal error", kFails},
    {"CreateNew", "S", "", kFailed + "Error text 5. " + kWindowFolderAdvice, kFails},
    {"WriteAll Place", "S", "", kFailed + "Error text 5.", kFails},
    {"Attributes", "O", "", kFailed + "Error text 5.", kFails},
};

std::string Expected(const Case& c) {
  if (c.effect == kFails) return "previous";
  std::vector<std::string> lines = ExpectedLines();
  auto find = [&](auto from, const std::string& start) {
    return std::find_if(from, lines.end(), [&](auto& line) { return line.starts_with(start); });
  };
  for (const std::string& line : Split(c.lines)) {
    const std::size_t dots = line.find("..");
    auto first =
        find(lines.begin(), line.starts_with("-") ? line.substr(1, dots - 1) : line.substr(0, 25));
    if (!line.starts_with("-")) *first = line;
    if (line.starts_with("-"))
      lines.erase(first, find(first, line.substr(dots == std::string::npos ? 1 : dots + 2)) + 1);
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

TEST(Native, TheReportWithEachOperationFailingIsTheExpectedOneOrThePreviousOneStays) {
  for (const Case& c : kCases) {
    for (const std::string& op : Split(c.ops, " ")) {
      for (const char mode : c.modes) {
        Machine m;
        m.fail = {op, static_cast<Mode>(std::string(" STEO").find(mode))};
        m.files[kReport] = {"previous", 0};
        // Planted at the first name tried; a killed run's leftover, and a young one.
        m.files[kPlanted] = {"another's", 0};
        m.files[kLeftover] = m.files[kYoung] = {"", 0};
        m.ages[kLeftover] = 600000;
        bool written = false;
        EXPECT_NO_THROW(if ((written = RunReport(m.platform(), kFolder.substr(0, 23))))
                            OpenReport(m.platform(), 0, kFolder.substr(0, 23)));
        std::string boxes, want_boxes;
        for (const std::string& entry : m.log)
          boxes += entry.starts_with("box ") ? "|" + entry : "";
        for (const std::string& box : Split(c.boxes))
          want_boxes += "|box TORVEL Support Tool: " + box;
        EXPECT_EQ(boxes, want_boxes) << op << " " << mode;
        EXPECT_EQ(written, c.effect != kFails) << op << " " << mode;
        EXPECT_EQ(m.files[kReport].first, Expected(c)) << op << " " << mode;
        // No temporary file of this run beside it, nothing planted touched, an old leftover
        // cleared after a good run.
        EXPECT_EQ(m.files.size(), written ? 3u : 4u);
        EXPECT_EQ(m.files[kPlanted].first + std::to_string(m.files.count(kYoung)), "another's1");
        // Told before anything is collected, the host application is not even started.
        if (c.effect == kFails && op != "WriteAll" && op != "Place") {
          EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "create Partwright.Application"), 0);
        }
        EXPECT_EQ((std::array{m.handles.size(), 0ul + m.sockets, 0ul + m.objects, 0ul + m.busy}),
                  (std::array{0ul, 0ul, 0ul, 0ul}));
        // A host the report started (as every report without a fault does) is told to exit once.
        EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "call ExitApp()"),
                  std::count(m.log.begin(), m.log.end(), "create Partwright.Application"));
        EXPECT_EQ(m.hits > 0, op != "None") << op;
      }
    }
  }
}

TEST(Native, ReaderStatusesDefaultsAndKeysClosed) {
  Machine m(false);
  const std::string key = "Software\\TORVELSupportTests\\Reader";
  for (const expected::StoredValue& v : expected::ReaderValues())
    m.SetValue(kHkeyCurrentUser, key, v.name, v.type, v.bytes);
  for (const expected::ReadCase& c : expected::ReaderCases()) {
    const std::size_t opens = m.opened.size();
    RegValue value = std::string("stale");
    EXPECT_EQ(ReadRegistryValue(m, c.root, key + c.below, c.name, c.kind, c.default_value, value),
              c.status)
        << c.name;
    EXPECT_EQ(value, c.expected) << c.name;
    // Every key opened is closed; an unknown root never reaches the registry.
    EXPECT_EQ(m.handles.size() + (m.opened.size() == opens), c.status == kStatusNoRoot ? 1u : 0u);
  }
}

std::string ProductPortion(Registry& registry) {
  ReportStream out;
  WriteProductSections(RegistryValue(registry), out);
  return out.text();
}

TEST(Native, ASectionForEachProductKeyUnderItsRootInTheOrderOfThePresenceTests) {
  // The sections as written: the presence test's root and key, when that test runs, and a text
  // of the section's first line of its own, found that many lines below the section's start.
  const std::tuple<RegKey, std::string, std::size_t, std::string, int> products[] = {
      {kHkeyCurrentUser, "Software\\VRAX\\TORVEL/FRAME", 0, "TFicon.jpg", 2},
      {kHkeyLocalMachine, "Software\\VRAX\\TORVEL/FRAME", 1, "TORVELFrame 2004 and", 0},
      {kHkeyLocalMachine, "Software\\VRAX\\DraftPilot", 2, "DPIcon.jpg", 2},
      {kHkeyLocalMachine, "Software\\VRAX\\TORVEL/K", 3, "KIcon.jpg", 2},
      {kHkeyLocalMachine, "Software\\VRAX\\TORVEL/ELX", 6, "ELXIcon.jpg", 2},
      {kHkeyLocalMachine, "Software\\VRAX\\TORVELAeroMesh", 5, "TAEIcon.jpg", 2},
      {kHkeyLocalMachine, "Software\\VRAX\\TORVELKinema", 4, "TKIcon.jpg", 2},
      {0, "", 0, "Partwright Information", 2}};  // the end of the last
  const std::vector<std::string> report = ExpectedLines();
  auto start = [&](std::size_t i) {
    const std::string& marker = std::get<3>(products[i]);
    return std::find_if(report.begin(), report.end(),
                        [&](auto& line) { return line.find(marker) != std::string::npos; }) -
           std::get<4>(products[i]);
  };
  Machine all;
  // A machine whose installers wrote only the 64-bit registry view reads the same.
  Machine only64;
  only64.only_64_bit_view = true;
  EXPECT_EQ(ProductPortion(only64), ProductPortion(all));
  for (std::size_t i = 0; i + 1 < std::size(products); ++i) {
    const auto& [root, key, test, marker, below] = products[i];
    EXPECT_EQ(all.opened.at(test), key + "\\");
    for (const RegKey r : {kHkeyCurrentUser, kHkeyLocalMachine}) {
      Machine m(false);  // the product key alone: every value missing
      m.AddKey(r, key);
      std::vector<std::string> want;
      for (std::size_t j = 0; j + 1 < std::size(products); ++j) {
        if (std::get<0>(products[j]) == r && std::get<1>(products[j]) == key)
          want.assign(start(j), start(j + 1));
      }
      ReadValuesAs("", want.begin(), want.end());
      EXPECT_EQ(ProductPortion(m), Joined(want)) << r << "\\" << key;
    }
  }
}

TEST(Native, JsonTwinHoldsTheFactsAndNullForWhatCouldNotBeHad) {
  // The fixture machine: the expected file, which the validator checks against the schema and
  // the registry fixture.
  const std::string expected = TORVEL_SOURCE_DIR "/tests/expected/full_report.json";
  std::ifstream file(expected, std::ios::binary);
  EXPECT_EQ(RenderJson(CollectFacts(Machine().platform())),
            std::string(std::istreambuf_iterator(file), {}));
  const std::string check = "/usr/bin/python3 " TORVEL_SOURCE_DIR "/scripts/check-json-reports ";
  EXPECT_EQ(std::system((check + expected).c_str()), 0);
  // A collector that fails or sockets that do not start, a value that is missing, a silent host,
  // and a computer name of a tab, a quote, a backslash, an invalid byte and every control
  // character, which the JSON holds as the report does, before its HTML escaping.
  std::string name = "\t\"\\\xFF", replaced = "\xEF\xBF\xBD";
  for (int c = 0; c < 0xA0; ++c) {
    if (c < 0x20 ? c == '\t' : c < 0x7F) continue;
    name += c < 0x80 ? std::string(1, char(c)) : std::string{char(0xC2), char(c)};
    replaced += "\xEF\xBF\xBD";
  }
  const std::string problem = "\",\n      \"text\": \"";
  for (const auto& [op, mode, parts] :
       {std::tuple{"UserNameInto", kThrow,
                   "\"user_name\": null,|\"where\": \"UserName\",\n      \"error\": \"0x00000033" +
                       problem + "Internal error\""},
        {"SocketsStart", kStatus,
         "\"ip_address\": null,|\"where\": \"LocalIpAddress\",\n      \"error\": \"0x0000276B" +
             problem + "The 32-bit Windows Socket is not responding.\""}}) {
    Machine failing;
    failing.fail = {op, mode};
    failing.values.erase(failing.values.begin());  // the first product value of the fixture
    failing.host_installed = false;
    failing.computer_name = name;
    const Facts facts = CollectFacts(failing.platform());
    EXPECT_NE(RenderHtml(facts).find("COMPUTER NAME:           \t\"\\" + replaced + "\r\n"),
              std::string::npos);
    const std::string json = RenderJson(facts);
    for (const std::string& part :
         Split(parts + "|\"computer_name\": \"\\t\\\"\\\\" + replaced + "\",|\"name\": " +
               "\"WORKPATHNAME\",\n          \"value\": null|\"date_code\": null,\n    " +
               "\"revision_number\": null,\n    \"reason\": \"Partwright is not installed\"|" +
               "\"where\": \"DateCode\",\n      \"error\": \"0x80040154\"")) {
      EXPECT_NE(json.find(part), std::string::npos) << part;
    }
  }
}

TEST(Native, WhatTheCommandsShowAndWhatLeavesTheTool) {
  const std::string wrote = "wrote " + std::string(kReport) + "|",
                    mail = "create Outlook.Application|call CreateItem(0)|";
  const std::string outlook = "ask Email Option: Do you use MS Outlook as your Email Client?|";
  const std::string view =
      "ask View/Save to a File:  Do you want to view the information?\r\n(Information will be "
      "automatically saved to C:\\Program Files\\TORVEL\\TORVEL Info.htm File.)|";
  const std::string item = mail +
                           "put To=a@b|put Subject=TORVEL Info.htm File|put Body=TORVEL Info.htm "
                           "file attached|get Attachments|call Add(" +
                           kReport + ")|",
                    sent = "box Email Delivery: Email successfully sent. ",
                    not_sent = "box Email Delivery: The email was not sent. ",
                    saved = "\r\n\r\nThe report is saved as " + std::string(kReport) +
                            ". Please attach it to an email by hand.";
  // The recipient (none: View/Save); the answer, Y or N, then a failing operation and its mode;
  // what is shown and done ("|" between).
  const std::tuple<const char*, std::string, std::string> flows[] = {
      {nullptr, "Y", view + wrote + "open 7, , " + kReport + ", , C:\\, 1"},
      {nullptr, "N",
       view + wrote + "box View/Save to a File: Information written to " + kReport + " File. "},
      {nullptr, "Y Place S", view + "box TORVEL Support Tool: " + kFailed + "Error text 5."},
      {"", "Y",
       "box Error: Email address can not have a null value. Please type in the correct email "
       "address."},
      {" a@b?cc=c", "N",
       wrote + outlook +
           "open 0, open, mailto: "
           "a@b?cc=c&subject=TORVEL%20Info.htm%20file%20attached&body=Please%20attach%20the%20%"
           "27TORVEL%20Info.htm%27%20file%20created%20in%20C%3A%5CProgram%20Files%5CTORVEL%"
           "20directory.%0D%0AThanks., , , 5"},
      {"a@b", "Y", wrote + outlook + item + "call Send()|" + sent},
      {"a@b", "Y To T",
       wrote + outlook + mail + "put To=a@b|" + not_sent +
           "The mail could not be addressed.\r\nInternal error (error 0x00000033)" + saved},
      {"a@b", "Y Add T",
       wrote + outlook + item + not_sent +
           "The report could not be attached.\r\nInternal error (error 0x00000033)" + saved},
      {"a@b", "Y CreateItem I",
       wrote + outlook + mail + not_sent + "The mail client did not answer (error 0x8001011F)." +
           saved}};
  for (const auto& [recipient, answer, log] : flows) {
    Machine m;
    MailState state;
    const std::vector<std::string> fault = Split(answer + " - S", " ");
    m.host_installed = false;
    m.fail = {fault[1], static_cast<Mode>(std::string(" STEOIC").find(fault[2][0]))};
    m.answers = {answer[0] == 'Y' ? Answer::kYes : Answer::kNo};
    if (recipient) EmailCommand(m.platform(), 7, recipient, state);
    if (!recipient) SaveViewCommand(m.platform(), 7);
    EXPECT_EQ(m.log, Split(log));
  }
  // No mail client's application object, so the default mail program (its other answers under
  // Wine): what Create throws, the program's answer (negative: none registered), what is shown.
  const std::string mapi = "mapi a@b, TORVEL Info.htm File, TORVEL Info.htm file attached, " +
                           std::string(kReport) + ", TORVEL Info.htm",
                    failed = mapi + "|" + not_sent + "The mail program could not ";
  for (const auto& [code, mapi_answer, shown] :
       {std::tuple{kClassNotRegistered, kMapiUserAbort, mapi},
        // The attachment not found, not opened, not written; then a recipient unknown.
        {kInvalidClassString, 11L, failed + "attach the report (error 0x0000000B)." + saved},
        {kInvalidClassString, 12L, failed + "attach the report (error 0x0000000C)." + saved},
        {kInvalidClassString, 13L, failed + "attach the report (error 0x0000000D)." + saved},
        {kInvalidClassString, 14L, failed + "send the mail (error 0x0000000E)." + saved},
        {kInvalidClassString, -1L,
         not_sent +
             "The mail client is not installed, and no other mail program is set up to send it." +
             saved},
        {static_cast<std::int32_t>(0x80080005), 0L,
         not_sent + "The mail client could not be started.\r\nNot created (error 0x80080005)" +
             saved}}) {
    Machine m;
    MailState state;
    m.fail = {"Create", kStatus};
    m.code = code;
    m.mapi_answer = mapi_answer;
    m.answers = {Answer::kYes};
    EmailCommand(m.platform(), 7, "a@b", state);
    EXPECT_EQ(m.log, Split(wrote + outlook + shown));
  }
  // A mail client closed since the last send (either way) is replaced, once, and the mail goes
  // out; one that did not answer is not asked again: the next send starts a new one.
  for (const auto& [member, mode, code] : {std::tuple{"CreateItem", kClosed, kDisconnected},
                                           {"Send", kClosed, kServerUnavailable},
                                           {"Send", kSilent, 0L}}) {
    Machine m;
    MailState state;
    m.answers = {Answer::kYes, Answer::kYes};
    m.fail = {mode == kSilent ? member : "", mode};
    EmailCommand(m.platform(), 7, "a@b", state);
    m.fail = {mode == kSilent ? "" : member, mode};
    m.code = code;
    EmailCommand(m.platform(), 7, "a@b", state);
    EXPECT_EQ(std::count(m.log.begin(), m.log.end(), "create Outlook.Application"), 2);
    EXPECT_EQ(m.log.back(), sent);
  }
}

// A program folder that cannot be written: Documents, else the temporary folder, for every
// command, named in the question, the confirmation and the mail; none at all fails as today.
TEST(Native, AFolderThatCanBeWrittenForEveryCommand) {
  const std::string documents = "C:\\Users\\Anna\\Documents", temp = "C:\\Users\\Anna\\Temp";
  for (const auto& [unwritable, folder] :
       {std::pair{std::vector{kFolder}, documents},
        {std::vector{kFolder, documents}, temp},
        {std::vector{kFolder, documents, temp}, kFolder.substr(0, 23)}}) {
    Machine m;
    MailState state;
    m.unwritable = unwritable;
    m.answers = {Answer::kNo, Answer::kYes};
    m.host_installed = false;
    SaveViewCommand(m.platform(), 7);
    EmailCommand(m.platform(), 7, "a@b", state);
    const std::string report = folder + "\\TORVEL Info.htm";
    const std::string log = Joined(m.log);
    EXPECT_NE(log.find("automatically saved to " + report + " File.)"), std::string::npos);
    for (const std::string& said :
         {"wrote " + report, "Information written to " + report + " File. ",
          "call Add(" + report + ")"}) {
      EXPECT_EQ(log.find(said) != std::string::npos, unwritable.size() < 3) << said;
    }
    if (unwritable.size() == 3) {
      EXPECT_NE(log.find(kFailed + "Error text 5. "), std::string::npos);
    }
    EXPECT_EQ(m.files.size(), unwritable.size() < 3 ? 1u : 0u);  // the report, nothing else
  }
}

// The progress window: nothing in a command's first second, then its step, and while a program
// is asked the whole seconds left, rounded up; the steps a report and a mail name, in order.
TEST(Native, ProgressAfterASecondWithTheStepAndTheSecondsLeft) {
  struct Case {
    std::uint64_t now;
    std::optional<std::uint64_t> give_up_at;
    std::optional<ProgressView> shown;
  };
  for (const Case& c : {Case{6000, 26000, std::nullopt},
                        {6001, std::nullopt, ProgressView{kStepHost, std::nullopt}},
                        {6001, 26000, ProgressView{kStepHost, 20}},
                        {7500, 26000, ProgressView{kStepHost, 19}},
                        {27000, 26000, ProgressView{kStepHost, 0}}}) {
    ProgressState state;
    state.Begin(5000);
    state.Step(kStepHost);
    state.Asking(c.give_up_at);
    const std::optional<ProgressView> view = state.At(c.now);
    EXPECT_EQ(view.has_value(), c.shown.has_value()) << c.now;
    if (view && c.shown) {
      EXPECT_EQ(view->seconds_left, c.shown->seconds_left) << c.now;
      EXPECT_EQ(view->step, c.shown->step);
    }
  }
  Machine m;
  MailState state;
  m.answers = {Answer::kYes};
  EmailCommand(m.platform(), 7, "a@b", state);
  EXPECT_EQ(m.steps, (std::vector<std::string>{kStepMachine, kStepMachine, kStepProducts, kStepHost,
                                               kStepWriting, kStepMail}));
}

TEST(Native, AHostThatIsNotInstalledIsBusyOrDoesNotAnswer) {
  // What fails, how, with which code; the reason that both answers give, what is asked.
  const std::tuple<std::string, Mode, long, std::string, std::string> hosts[] = {
      {"Create", kStatus, kInvalidClassString, "is not installed (error 0x800401F3)", ""},
      // Nothing more is asked of a host that did not answer: not even to exit.
      {"DateCode", kSilent, 0, "did not answer (error 0x8001011F)",
       "create Partwright.Application|get DateCode"},
      {"Create", kStatus, kCallRejected, "is busy (error 0x80010001)", ""}};
  for (const auto& [member, mode, code, answer, log] : hosts) {
    Machine m;
    m.fail = {member, mode};
    m.code = code;
    // An edition code below the table's first.
    m.SetValue(kHkeyLocalMachine, "Software\\Partwright\\Partwright 2004\\Setup",
               "Partwright Studio Installed", kRegDword, "\xFF\xFF\xFF\xFF");
    ReportStream out;
    WriteHostSection(PartwrightInformation(m.platform()), out);
    const std::vector<std::string> lines = Split(out.text(), "\r\n");
    EXPECT_EQ(lines.at(4), "Partwright 2004 Installed version: N/A");
    EXPECT_EQ(lines.at(2), kDate + "not available: Partwright " + answer);
    EXPECT_EQ(lines.at(3), kRevision + "not available: Partwright " + answer);
    EXPECT_EQ(m.log, Split(log));
    EXPECT_EQ(m.objects, 0);
  }
}

TEST(Native, Switches) {
  // The arguments after the program's name; the mode; the report's and the JSON's file ("-"
  // where not asked for), or why they are refused.
  const std::tuple<std::vector<std::string>, RunMode, std::string> command_lines[] = {
      {{}, RunMode::kWindow, "- -"},
      {{"/report"}, RunMode::kReport, " -"},
      {{"-REPORT", "\\\\server\\share\\PC.htm"}, RunMode::kReport, "\\\\server\\share\\PC.htm -"},
      {{"/json", "j.json", "/Report", "r.htm"}, RunMode::kReport, "r.htm j.json"},
      {{"/report", "/JSON"}, RunMode::kReport, " "},
      {{"-?"}, RunMode::kUsage, "- -"},
      {{"/reports"}, RunMode::kRefused, "Unknown switch \"/reports\"."},
      {{"/jsonx"}, RunMode::kRefused, "Unknown switch \"/jsonx\"."},
      {{"/report", "/q"}, RunMode::kRefused, "Unknown switch \"/q\"."},
      {{"/json", "a", "/json"}, RunMode::kRefused, "The switch \"/json\" is given twice."},
      {{"/report", "a", "b"}, RunMode::kRefused, "Unexpected argument \"b\"."},
      {{"report.htm"}, RunMode::kRefused, "Unexpected argument \"report.htm\"."},
      {{"/?", "x"}, RunMode::kRefused, "Unexpected argument \"x\"."}};
  for (const auto& [args, mode, text] : command_lines) {
    const CommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.mode, mode) << text;
    EXPECT_EQ(mode == RunMode::kRefused
                  ? parsed.problem
                  : parsed.report.value_or("-") + " " + parsed.json.value_or("-"),
              text);
  }
  EXPECT_EQ(RefusalLine(ParseCommandLine({"-x"})),
            "Unknown switch \"-x\". Usage: TORVELSupport.exe [/report [FILE]] [/json [FILE]] | /?");
  // The answer limit's setting can only shorten it.
  const std::pair<const char*, unsigned long> limits[] = {
      {"5000", 5000},        {"1", 1},       {"60000", 60000}, {"0", 60000}, {"60001", 60000},
      {"4294967295", 60000}, {"12x", 60000}, {"", 60000}};
  for (auto [setting, limit] : limits) EXPECT_EQ(ShortenedLimit(setting, 60000), limit) << setting;
}

TEST(Native, SystemInformationViewer) {
  const std::string none =
      "box TORVEL Support Tool: System Information Is Unavailable At This Time";
  // The PATH value's type (0: none) and bytes, the attributes of MSINFO32.EXE in the MSINFO
  // folder (1: no such file), whether the program starts, and what is started or shown.
  const std::tuple<std::uint32_t, std::string, std::uint32_t, bool, std::string> viewers[] = {
      {kRegSz, std::string("C:\\v.exe\0", 9), 1, false, "start C:\\v.exe|" + none},
      {kRegDword, std::string("\x05\x01\0\0", 4), 1, true, "start 261"},
      {kRegSz, std::string(1025, 'x'), 0, true, "start C:\\f\\MSINFO32.EXE"},
      {0, "", kAttrHidden, true, none}};
  for (const auto& [type, path, attributes, starts, log] : viewers) {
    Machine m(false);
    if (type) m.SetValue(kHkeyLocalMachine, kSysInfoKey, "PATH", type, path);
    m.SetValue(kHkeyLocalMachine, kSysInfoLocationKey, "MSINFO", kRegSz, "C:\\f");
    if (attributes != 1) m.files["C:\\f\\MSINFO32.EXE"] = {"", attributes};
    m.start_ok = starts;
    StartSysInfo(m.platform());
    EXPECT_EQ(m.log, Split(log));
    EXPECT_TRUE(m.handles.empty());
  }
}

TEST(Native, TextFormsOnFixedInputs) {
  const std::pair<std::string, std::string> cases[] = {
      {SignPosition(-7) + SignPosition(0) + SignPositionSingle(-0.25f), "-7 0-.25"},
      {SignPositionSingle(9999999) + SignPositionSingle(4294967296.0f), " 9999999 4.294967E+09"},
      {MegabyteForm(2.5) + MegabyteForm(1e300), " 3 9200000000000000000"},
      {UptimeSentence(SystemRunning(150000)) + UptimeSentence(SystemRunning(3580000)),
       "Your system has been running for 0 hours and 2 minutes.Your system has been running for 1 "
       "hours and 0 minutes."},
      {DriveRoot("\\\\server\\share\\tool") + ReportPath("D:\\") +
           std::to_string(PixelsFromTwips(15360, 7.5)),
       "\\\\server\\share\\D:\\\\TORVEL Info.htm2048"},
      // Four-byte characters whole; a control character or a cut sequence replaced.
      {EscapeHtml("\"'&amp;<\x01\xF0\x9F\x98\x80\xF0\x9F\x98"),
       "\"'&amp;amp;&lt;\xEF\xBF\xBD\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {BuildMailLink("MAILTO:a@b?cc=c", "S", "x & y\r\n"),
       "MAILTO:a@b?cc=c&subject=S&body=x%20%26%20y%0D%0A"},
      {BuildMailLink("mail", "", std::string("~\0\xE9", 3)), "mailto:mail?body=~%00%E9"}};
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
  // Fifteen characters of three bytes each; names that fill their buffers with their NUL.
  Machine m;
  Problems problems;
  for (const std::string& name :
       {std::string("東京都中央区銀座一丁目二三四五"), std::string(127, 'c')}) {
    m.computer_name = name;
    EXPECT_EQ(ComputerName(m.platform()), name);
  }
  m.user_name = std::string(198, 'u');
  EXPECT_EQ(UserName(m.platform(), problems), m.user_name);
}

}  // namespace
}  // namespace torvel::testing
