#pragma once
// What standin.exe, a late-bound automation server, and its tests share. `standin.exe <role>`
// then `/register` (as a real local server), `/unregister`, `/running` (an instance the user has
// open, until its ExitApp), or nothing (started by COM: until its last object goes). Members:
// host Application.DateCode, .RevisionNumber, .ExitApp; mail Application.CreateItem ->
// MailItem.To, .Subject, .Body, .Send, .Attachments -> .Add(path), which copies the file beside
// the program as kAttachedPrefix + its name. Beside the program per role: settings ([Answers]
// DateCode=..., Fail=<member>: it raises "<member> is not available in this session";
// Silent=<member>: it never answers; Busy=<ms>: it rejects calls so long from the first one) and
// the call log, a UTF-8 line per call.
namespace standin {

inline constexpr char kProgram[] = "standin.exe";
inline constexpr char kSection[] = "Answers";
inline constexpr char kAttachedPrefix[] = "attached-";

struct Role {
  const char *name, *prog_id, *clsid, *settings_file, *log_file;
};
inline constexpr Role kHost{"host", "Partwright.Application",
                            "{5E1970EB-5715-4207-985A-A9B325298851}", "standin-host.ini",
                            "standin-host-calls.txt"};
// libmailprogram.dll, the bench's default mail program ("TORVEL Bench Mail"): its files.
inline constexpr char kMapiSettings[] = "mailprogram.ini", kMapiRecord[] = "mailprogram-sent.txt";
inline constexpr Role kMail{"mail", "Outlook.Application", "{41A8764C-6D32-471A-8EC5-EF8A9455C28F}",
                            "standin-mail.ini", "standin-mail-calls.txt"};

}  // namespace standin
