// Stands in for the mail client's automation server: hands out mail items, copies each file
// attached, records each mail sent, and fails the member its settings name (see
// mailclient_standin.h; standin_server.h for the command line: /register, /unregister).
#include "programs/mailclient_standin/mailclient_standin.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/standin_server.h"

namespace {

using namespace mailclient_standin;

// A client that ends without releasing its objects (a test that killed the tool) would keep
// this server, and with it the Wine session, alive for good: it leaves after a quiet minute.
constexpr DWORD kIdleLimitMs = 60000;
DWORD g_last_call = 0;

void CALLBACK CheckIdle(HWND, UINT, UINT_PTR, DWORD) {
  if (GetTickCount() - g_last_call > kIdleLimitMs) standin::RequestExit();
}

// Adds `member` to `object`, noting the time of each call for CheckIdle.
void Add(standin::Object& object, const char* name, standin::Object::Member member) {
  object.Add(name, [member](standin::Invocation& call) {
    g_last_call = GetTickCount();
    member(call);
  });
}

bool Failing(const char* member) {
  std::string path = standin::BesideProgram(kSettingsFile);
  char value[64];
  DWORD length = GetPrivateProfileStringA("Mail", "Fail", "", value, sizeof value, path.c_str());
  return std::string(value, length) == member;
}

// `prefix` N `suffix` beside the program for the first N from 1 not yet taken.
std::string FreeName(const std::string& prefix, const std::string& suffix) {
  for (int n = 1;; ++n) {
    std::string path = standin::BesideProgram(prefix + std::to_string(n) + suffix);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
  }
}

bool WriteNew(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

struct Mail {
  std::string to, subject, body;
  std::vector<std::string> attachments;  // the copies
};

// A read/write text property of the mail kept in `field`.
standin::Object::Member Field(std::shared_ptr<Mail> mail, std::string Mail::*field) {
  return [mail, field](standin::Invocation& call) {
    if (call.is_put()) {
      (*mail).*field = call.Text(call.size() - 1);
    } else {
      call.Return((*mail).*field);
    }
  };
}

standin::Object* MakeAttachments(const standin::CallLog& log, std::shared_ptr<Mail> mail) {
  auto* attachments = new standin::Object("Attachments", log);
  Add(*attachments, "Add", [mail](standin::Invocation& call) {
    if (Failing("Add")) return call.Raise(std::string(kFailureText) + " (Add)");
    std::string source = call.Text(0);
    std::string copy = FreeName(kAttachmentPrefix, ".htm");
    if (!CopyFileA(source.c_str(), copy.c_str(), TRUE)) {
      return call.Raise("Cannot find the file " + source + ".", HRESULT_FROM_WIN32(GetLastError()));
    }
    mail->attachments.push_back(copy);
  });
  return attachments;
}

standin::Object* MakeItem(const standin::CallLog& log) {
  auto mail = std::make_shared<Mail>();
  auto* item = new standin::Object("MailItem", log);
  Add(*item, "To", Field(mail, &Mail::to));
  Add(*item, "Subject", Field(mail, &Mail::subject));
  Add(*item, "Body", Field(mail, &Mail::body));
  Add(*item, "Attachments",
      [&log, mail](standin::Invocation& call) { call.Return(MakeAttachments(log, mail)); });
  Add(*item, "Send", [mail](standin::Invocation& call) {
    if (Failing("Send")) return call.Raise(std::string(kFailureText) + " (Send)");
    std::string record = "To: " + mail->to + "\r\nSubject: " + mail->subject + "\r\n";
    for (const std::string& copy : mail->attachments) record += "Attachment: " + copy + "\r\n";
    record += "\r\n" + mail->body;
    if (!WriteNew(FreeName(kMailPrefix, ".txt"), record)) call.Raise("The mail was not stored.");
  });
  return item;
}

standin::Object* MakeApplication(const standin::CallLog& log) {
  auto* application = new standin::Object("Application", log);
  Add(*application, "CreateItem", [&log](standin::Invocation& call) {
    if (Failing("CreateItem")) return call.Raise(std::string(kFailureText) + " (CreateItem)");
    if (call.size() != 1 || call.Number(0) != 0) return call.Raise("Only mail items are made.");
    call.Return(MakeItem(log));
  });
  return application;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  g_last_call = GetTickCount();
  SetTimer(nullptr, 0, 5000, CheckIdle);
  standin::ServerDefinition definition{kProgId, kClsid, "Mail client application (stand-in)",
                                       standin::BesideProgram(kLogFile), MakeApplication};
  return standin::ServerMain(definition, command_line ? command_line : "");
}
