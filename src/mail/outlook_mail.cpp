#include "mail/outlook_mail.h"

#include <cstdint>

#include "platform/failure.h"
#include "platform/progress.h"
#include "platform/registry_reader.h"
#include "text/fragments.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr std::int32_t kMailItem = 0;  // the item kind CreateItem takes for a mail message
constexpr char kStartStep[] = "The mail client could not be started";
constexpr char kNoMailProgramText[] =
    "The mail client is not installed, and no other mail program is set up to send it.";

// What could not be done, in the user's words; then the mail program's own description, if it
// gave one, and the error number last.
std::string Reason(const std::string& step, const std::string& description, long number) {
  const std::string code = number != 0 ? " (" + ErrorCodeText(number) + ")" : "";
  if (description.empty()) return step + code + ".";
  return step + ".\r\n" + description + code;
}

// The object a call returned; a missing or non-object result is a failure of that step.
AutomationRef ObjectFrom(const AutoValue& value) {
  const AutomationRef* object = std::get_if<AutomationRef>(&value);
  if (object == nullptr || *object == nullptr) throw Failure(0, "");
  return *object;
}

// A client whose program has ended since the last send.
bool ClientGone(const Failure& failure) {
  return failure.number() == kDisconnected || failure.number() == kServerUnavailable;
}

// The mail client's application object is not installed on this machine.
bool ClientNotInstalled(const Failure& failure) {
  return failure.number() == kInvalidClassString || failure.number() == kClassNotRegistered;
}

// The step a Simple MAPI answer names: the attachment's (MAPI_E_ATTACHMENT_NOT_FOUND to
// _WRITE_FAILURE) or the sending itself.
const char* MailProgramStep(long code) {
  if (code >= kMapiAttachmentNotFound && code <= kMapiAttachmentNotFound + 2)
    return "The mail program could not attach the report";
  return "The mail program could not send the mail";
}

void ShowNotSent(const MailServices& m, const std::string& reason, const std::string& report_path) {
  m.dialogs.Show(MailNotSentText(reason, report_path), kEmailDeliveryTitle, Buttons::kOk);
}

// Whether a default mail program is set up: the default value of Software\Clients\Mail names
// one, the user's own choice, else the machine's.
bool MailProgramRegistered(Registry& registry) {
  for (const RegRoot root : {RegRoot::kCurrentUser, RegRoot::kLocalMachine}) {
    if (!ReadText(registry, root, "Software\\Clients\\Mail", "").value.empty()) return true;
  }
  return false;
}

// The same message through Simple MAPI to the default mail program, for machines whose mail
// client has no application object.
void SendThroughMailProgram(const MailServices& m, const std::string& recipient,
                            const std::string& report_path) {
  // Decided as Windows decides it, before mapi32.dll is asked: without a default mail program,
  // mapi32.dll would show a box of its own (Wine's: no MAPI mail client installed).
  if (!MailProgramRegistered(m.registry)) return ShowNotSent(m, kNoMailProgramText, report_path);
  const long code = m.simple_mail.SendWithAttachment(
      recipient, kReportFileText, kReportAttachedText, report_path, kReportFileName);
  if (code == kMapiUserAbort) return;  // the user closed the message unsent: nothing failed
  if (code != kMapiSuccess)
    return ShowNotSent(m, Reason(MailProgramStep(code), "", code), report_path);
  m.dialogs.Show(kMailSentText, kEmailDeliveryTitle, Buttons::kOk);
}

// One attempt to send; on a failure `step` names what could not be done.
void Send(const MailServices& m, MailState& state, const std::string& report_path,
          const char*& step) {
  step = kStartStep;
  if (!state.client) state.client = m.automation.Create(kMailClientClass);

  step = "The mail client did not create a new mail";
  AutomationRef item;
  try {
    item = ObjectFrom(state.client->Call("CreateItem", {kMailItem}));
  } catch (const Failure&) {
    // The application object itself failed (its program may have ended): the next send
    // starts afresh instead of reusing an object that no longer answers.
    state.client.reset();
    throw;
  }

  step = "The mail could not be addressed";
  item->Put("To", state.email_address);
  item->Put("Subject", kReportFileText);
  item->Put("Body", kReportAttachedText);

  step = "The report could not be attached";
  ObjectFrom(item->Get("Attachments"))->Call("Add", {report_path});

  step = "The mail client could not send the mail";
  item->Call("Send", {});
}

}  // namespace

std::string MailNotSentText(const std::string& reason, const std::string& report_path) {
  return "The email was not sent. " + reason + "\r\n\r\nThe report is saved as " + report_path +
         ". Please attach it to an email by hand.";
}

void SendOutlookMail(const MailServices& m, MailState& state, const std::string& report_path) {
  const char* step = "";
  const bool cached = state.client != nullptr;
  try {
    auto busy = Busy(m.dialogs, kStepMail);
    try {
      Send(m, state, report_path, step);
    } catch (const Failure& failure) {
      // The client kept from an earlier send was closed since: a fresh one gets one more try.
      if (!cached || !ClientGone(failure)) throw;
      state.client.reset();
      Send(m, state, report_path, step);
    }
  } catch (const Failure& failure) {
    if (step == kStartStep && ClientNotInstalled(failure))
      return SendThroughMailProgram(m, state.email_address, report_path);
    if (failure.number() == kNoAnswer || failure.number() == kCallRejected) {
      // Given up: no further call reaches that client, and the next send starts afresh.
      state.client.reset();
      const bool busy = failure.number() == kCallRejected;
      return ShowNotSent(m,
                         Reason(busy ? "The mail client is busy" : "The mail client did not answer",
                                "", failure.number()),
                         report_path);
    }
    return ShowNotSent(m, Reason(step, failure.description(), failure.number()), report_path);
  }
  m.dialogs.Show(kMailSentText, kEmailDeliveryTitle, Buttons::kOk);
}

}  // namespace torvel
