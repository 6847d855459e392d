#pragma once
// What the stand-in automation server (standin.exe) and the tests that drive it share. One
// program serves two roles, each a late-bound class registered as a real local server is:
//
//   standin.exe <role> /register     ProgID\CLSID, CLSID\{..}\LocalServer32 ("<dir>\standin.exe"
//                                    <role>), CLSID\{..}\ProgID; then exits (0 on success)
//   standin.exe <role> /unregister   removes those keys; then exits
//   standin.exe <role> /running      an instance the user already has open: entered in the
//                                    running object table, serves until its ExitApp or killed
//   standin.exe <role> -Embedding    started by COM: serves through a class factory and leaves
//                                    when the last object goes or after a quiet spell
//
// Roles and their members (answers from the settings file, read at every call):
//   host  Application.DateCode (number), .RevisionNumber (text), .ExitApp
//   mail  Application.CreateItem(0) -> MailItem: To, Subject, Body (read/write text),
//         Attachments -> Attachments.Add(path): copies the file to kAttachedPrefix + its name
//         beside the program; MailItem.Send
//
// Settings file (beside the program, per role), section [Answers]:
//   DateCode=20050318          the answer of a member that answers something
//   Fail=RevisionNumber        that member raises "<member> is not available in this session"
//
// Call log (beside the program, per role): one line per call, written before the member runs,
//   Application.DateCode()               a method call or property get
//   MailItem.To = support@example.com    a property put
//   Attachments.Add(C:\folder\TORVEL Info.htm)
namespace standin {

inline constexpr char kProgram[] = "standin.exe";
inline constexpr char kSection[] = "Answers";
inline constexpr char kAttachedPrefix[] = "attached-";

struct Role {
  const char* name;  // the first word of the command line
  const char* prog_id;
  const char* clsid;
  const char* settings_file;
  const char* log_file;
};

inline constexpr Role kHost{"host", "Partwright.Application",
                            "{5E1970EB-5715-4207-985A-A9B325298851}", "standin-host.ini",
                            "standin-host-calls.txt"};
inline constexpr Role kMail{"mail", "Outlook.Application", "{41A8764C-6D32-471A-8EC5-EF8A9455C28F}",
                            "standin-mail.ini", "standin-mail-calls.txt"};

}  // namespace standin
