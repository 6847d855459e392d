#include "platform/win32/simple_mail_win32.h"

#include <windows.h>
// after windows.h, which it needs
#include <mapi.h>

#include <optional>

#include "platform/win32/owned.h"
#include "platform/win32/system_library.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// MAPI's message in either character form; the wide one (MapiMessageW and its parts) has the
// ANSI one's layout with wide texts.
template <typename Char>
struct Recipient {
  ULONG reserved, recipient_class;
  Char *name, *address;
  ULONG entry_id_size;
  void* entry_id;
};
template <typename Char>
struct Attachment {
  ULONG reserved, flags, position;
  Char *path, *name;
  void* file_type;
};
template <typename Char>
struct Message {
  ULONG reserved;
  Char *subject, *body, *message_type, *date_received, *conversation_id;
  FLAGS flags;
  Recipient<Char>* originator;
  ULONG recipient_count;
  Recipient<Char>* recipients;
  ULONG attachment_count;
  Attachment<Char>* attachments;
};

// The texts of one message: recipient's name and address, subject, body, attachment's path
// and name.
template <typename Char>
struct Texts {
  std::basic_string<Char> name, address, subject, body, path, file_name;
};

template <typename Char>
ULONG Deliver(FARPROC entry, Texts<Char> t) {
  Recipient<Char> to{0, MAPI_TO, t.name.data(), t.address.data(), 0, nullptr};
  // Position -1: the attachment goes with the message, not into its body text.
  Attachment<Char> file{0, 0, ULONG(-1), t.path.data(), t.file_name.data(), nullptr};
  Message<Char> message{
      0, t.subject.data(), t.body.data(), nullptr, nullptr, nullptr, 0, nullptr, 1, &to, 1, &file};
  using SendMail = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, Message<Char>*, FLAGS, ULONG);
  // The user sees the message in the mail program and sends it from there.
  return reinterpret_cast<SendMail>(reinterpret_cast<void*>(entry))(0, 0, &message,
                                                                    MAPI_LOGON_UI | MAPI_DIALOG, 0);
}

// The text in the ANSI code page, or nothing when a character has no exact form there
// (WC_NO_BEST_FIT_CHARS: no look-alike stands in for it).
std::optional<std::string> Ansi(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const bool utf8 = GetACP() == CP_UTF8;  // lossless, and takes neither flag nor default
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr,
                                       utf8 ? nullptr : &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string ansi(size, '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

// The file's short (8.3) path, which is plain ASCII where the volume keeps short names.
std::wstring ShortPath(const std::wstring& path) {
  std::wstring short_path(GetShortPathNameW(path.c_str(), nullptr, 0), L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), short_path.data(), short_path.size());
  return length > 0 && length < short_path.size() ? short_path.substr(0, length) : path;
}

}  // namespace

long Win32SimpleMail::SendWithAttachment(const std::string& recipient, const std::string& subject,
                                         const std::string& body,
                                         const std::string& attachment_path,
                                         const std::string& attachment_name) {
  // Loaded for this send only: the mail program it brings along goes with it.
  Unique<HMODULE, &FreeLibrary> mapi(LoadSystemLibrary(L"mapi32.dll"));
  if (!mapi) return kMapiNotSupported;
  Texts<wchar_t> wide{Wide(recipient), Wide("SMTP:" + recipient), Wide(subject),
                      Wide(body),      Wide(attachment_path),     Wide(attachment_name)};
  if (FARPROC entry = GetProcAddress(mapi.get(), "MAPISendMailW")) return Deliver(entry, wide);

  // Windows before 8 has only the ANSI entry point: every text must keep its exact form there.
  FARPROC entry = GetProcAddress(mapi.get(), "MAPISendMail");
  if (!entry) return kMapiNotSupported;
  const auto name = Ansi(wide.name), address = Ansi(wide.address), path = Ansi(wide.path);
  const auto short_path = path ? path : Ansi(ShortPath(wide.path));
  if (!name || !address) return kMapiUnknownRecipient;
  if (!short_path) return kMapiAttachmentNotFound;
  const auto subject_text = Ansi(wide.subject), body_text = Ansi(wide.body),
             file_name = Ansi(wide.file_name);
  if (!subject_text || !body_text || !file_name) return MAPI_E_INVALID_MESSAGE;
  return Deliver(entry,
                 Texts<char>{*name, *address, *subject_text, *body_text, *short_path, *file_name});
}

}  // namespace torvel
