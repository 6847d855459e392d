#include "mail/outlook_mail.h"

#include <cstdint>

#include "platform/failure.h"
#include "text/fragments.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr std::int32_t kMailItem = 0;  // the item kind CreateItem takes for a mail message

// A failure of one step, phrased for the user: what could not be done, then the client's
// own description and its error number.
std::string Reason(const char* step, const Failure& failure) {
  std::string reason = std::string(step) + ".";
  std::string details = failure.description();
  if (failure.number() != 0) {
    const std::string number = ErrorCodeText(failure.number());
    details += details.empty() ? number : " (" + number + ")";
  }
  if (!details.empty()) reason += "\r\n" + details;
  return reason;
}

// The object a call returned; a missing or non-object result is a failure of that step.
AutomationRef ObjectFrom(const AutoValue& value, const char* what) {
  const AutomationRef* object = std::get_if<AutomationRef>(&value);
  if (object == nullptr || *object == nullptr) throw Failure(0, std::string("No ") + what + ".");
  return *object;
}

}  // namespace

std::string MailNotSentText(const std::string& reason, const std::string& report_path) {
  return "The email was not sent. " + reason + "\r\n\r\nThe report is saved as " + report_path +
         ". Please attach it to an email by hand.";
}

namespace {

// A client whose program has ended since the last send.
bool ClientGone(const Failure& failure) {
  return failure.number() == kDisconnected || failure.number() == kServerUnavailable;
}

// One attempt to send; on a failure `step` names what could not be done.
void Send(const Platform& p, MailState& state, const std::string& report_path, const char*& step) {
  step = "The mail client could not be started";
  if (!state.client) state.client = p.automation.Create(kMailClientClass);

  step = "The mail client did not create a new mail";
  AutomationRef item;
  try {
    item = ObjectFrom(state.client->Call("CreateItem", {kMailItem}), "mail item");
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
  ObjectFrom(item->Get("Attachments"), "attachment list")->Call("Add", {report_path});

  step = "The mail client could not send the mail";
  item->Call("Send", {});
}

}  // namespace

void SendOutlookMail(const Platform& p, MailState& state, const std::string& report_path) {
  const char* step = "";
  const bool cached = state.client != nullptr;
  try {
    try {
      Send(p, state, report_path, step);
    } catch (const Failure& failure) {
      // The client kept from an earlier send was closed since: a fresh one gets one more try.
      if (!cached || !ClientGone(failure)) throw;
      state.client.reset();
      Send(p, state, report_path, step);
    }
  } catch (const Failure& failure) {
    if (failure.number() == kNoAnswer) {
      // Given up: no further call reaches that client, and the next send starts afresh.
      state.client.reset();
      step = "The mail client did not answer";
    }
    p.dialogs.Show(MailNotSentText(Reason(step, failure), report_path), kEmailDeliveryTitle,
                   Buttons::kOk);
    return;
  }
  p.dialogs.Show(kMailSentText, kEmailDeliveryTitle, Buttons::kOk);
}

}  // namespace torvel
