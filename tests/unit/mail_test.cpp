// The mail roads once the report is written: the mail client's application object, else the
// default mail program through Simple MAPI; a client that has gone or did not answer replaced on
// the next send. What each case shows and does is its transcript in
// tests/expected/command_transcripts.txt.
#include "commands/email_command.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(Mail, TheMailClientOrTheMailProgram) {
  struct Case {
    const char* transcript;
    Fault fault;
    long code = kDisconnected;       // what a failing Create or a closed member throws
    long mapi_answer = 0;            // negative: no default mail program; 1: the machine's only
    std::optional<Fault> then = {};  // a second send, failing so
  };
  const Fault no_client = {Op::kCreate, kStatus};
  // clang-format off
  const Case cases[] = {
      {"mail-sent", {}},
      {"mail-not-addressed", {Op::kTo, kThrow}},
      {"mail-not-attached", {Op::kAdd, kThrow}},
      {"mail-client-silent", {Op::kCreateItem, kSilent}},
      // A client closed since the last send is replaced once; one that did not answer is not
      // asked again.
      {"mail-client-gone-at-create-item", {}, kDisconnected, 0, Fault{Op::kCreateItem, kClosed}},
      {"mail-client-gone-at-send", {}, kServerUnavailable, 0, Fault{Op::kSend, kClosed}},
      {"mail-client-silent-then-new", {Op::kSend, kSilent}, 0, 0, Fault{}},
      {"mail-client-not-started", no_client, static_cast<std::int32_t>(0x80080005)},
      {"mail-program-closed-unsent", no_client, kClassNotRegistered, kMapiUserAbort},
      {"mail-program-attachment-not-found", no_client, kInvalidClassString, 11},
      {"mail-program-attachment-not-opened", no_client, kInvalidClassString, 12},
      {"mail-program-attachment-not-written", no_client, kInvalidClassString, 13},
      {"mail-program-recipient-unknown", no_client, kInvalidClassString, 14},
      {"mail-no-program", no_client, kInvalidClassString, -1}};
  // clang-format on
  for (const Case& c : cases) {
    Machine m;
    MailState state;
    m.host_installed = false;
    m.fail = c.fault;
    m.code = c.code;
    m.mapi_answer = c.mapi_answer;
    // The default mail program, the user's own or else the machine's; "" names none.
    m.SetValue(kHkcu, "Software\\Clients\\Mail", "", kRegSz, c.mapi_answer > 1 ? "Mine" : "");
    if (c.mapi_answer == 1) m.SetValue(kHklm, "Software\\Clients\\Mail", "", kRegSz, "Ours");
    m.answers = {Answer::kYes, Answer::kYes};
    EmailCommand(m.sources(), m, m, m, "a@b", state, false);
    if (c.then) m.fail = *c.then;
    if (c.then) EmailCommand(m.sources(), m, m, m, "a@b", state, false);
    EXPECT_EQ(Transcript(m.log), ExpectedTranscript(c.transcript)) << c.transcript;
  }
}

}  // namespace torvel::testing
