#include "mail/outlook_mail.h"

#include <cstdint>

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
Result<AutomationRef> ObjectFrom(const Result<AutoValue>& value) {
  if (!value) return value.error();
  const AutomationRef* object = std::get_if<AutomationRef>(&*value);
  if (object == nullptr || *object == nullptr) return ErrorInfo{};
  return *object;
}

// A client whose program has ended since the last send.
bool ClientGone(const ErrorInfo& failure) {
  return failure.code == kDisconnected || failure.code == kServerUnavailable;
}

// The mail client's application object is not installed on this machine.
bool ClientNotInstalled(const ErrorInfo& failure) {
  return failure.code == kInvalidClassString || failure.code == kClassNotRegistered;
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
    if (!ReadRegistryValue<std::string>(registry, root, "Software\\Clients\\Mail", "")
             .value.empty())
      return true;
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

// One attempt to send: nothing, or why not, with `step` naming what could not be done.
std::optional<ErrorInfo> Send(const MailServices& m, MailState& state,
                              const std::string& report_path, const char*& step) {
  step = kStartStep;
  if (!state.client) {
    const Result<AutomationRef> client = m.automation.Create(kMailClientClass);
    if (!client || !*client) return client ? ErrorInfo{} : client.error();
    state.client = *client;
  }

  step = "The mail client did not create a new mail";
  const Result<AutomationRef> item = ObjectFrom(state.client->Call("CreateItem", {kMailItem}));
  if (!item) {
    // The application object itself failed (its program may have ended): the next send
    // starts afresh instead of reusing an object that no longer answers.
    state.client.reset();
    return item.error();
  }

  step = "The mail could not be addressed";
  for (const auto& [member, text] : {std::pair<const char*, std::string>{"To", state.email_address},
                                     {"Subject", kReportFileText},
                                     {"Body", kReportAttachedText}}) {
    if (const Status put = (*item)->Put(member, text); !put) return put.error();
  }

  step = "The report could not be attached";
  const Result<AutomationRef> attachments = ObjectFrom((*item)->Get("Attachments"));
  if (!attachments) return attachments.error();
  if (const Result<AutoValue> added = (*attachments)->Call("Add", {report_path}); !added)
    return added.error();

  step = "The mail client could not send the mail";
  if (const Result<AutoValue> sent = (*item)->Call("Send", {}); !sent) return sent.error();
  return std::nullopt;
}

}  // namespace

std::string MailNotSentText(const std::string& reason, const std::string& report_path) {
  return "The email was not sent. " + reason + "\r\n\r\nThe report is saved as " + report_path +
         ". Please attach it to an email by hand.";
}

void SendOutlookMail(const MailServices& m, MailState& state, const std::string& report_path) {
  const char* step = "";
  const bool cached = state.client != nullptr;
  std::optional<ErrorInfo> failure;
  {
    auto busy = Busy(m.dialogs, kStepMail);
    failure = Send(m, state, report_path, step);
    // The client kept from an earlier send was closed since: a fresh one gets one more try.
    if (failure && cached && ClientGone(*failure)) {
      state.client.reset();
      failure = Send(m, state, report_path, step);
    }
  }
  if (!failure) return void(m.dialogs.Show(kMailSentText, kEmailDeliveryTitle, Buttons::kOk));
  if (step == kStartStep && ClientNotInstalled(*failure))
    return SendThroughMailProgram(m, state.email_address, report_path);
  if (failure->code == kNoAnswer || failure->code == kCallRejected) {
    // Given up: no further call reaches that client, and the next send starts afresh.
    state.client.reset();
    const bool busy = failure->code == kCallRejected;
    return ShowNotSent(m,
                       Reason(busy ? "The mail client is busy" : "The mail client did not answer",
                              "", failure->code),
                       report_path);
  }
  ShowNotSent(m, Reason(step, failure->text, failure->code), report_path);
}

}  // namespace torvel
