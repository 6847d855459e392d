#pragma once
// What the mail-client stand-in and the tests that drive it share: its class, its settings
// file and the files in which it records what it was asked to send (all beside the program).
//
// Settings file, read at every call:
//   [Mail]
//   Fail=Send          (optional: CreateItem, Add or Send raises an error)
//
// Records:
//   mailclient-calls.txt          every call, one line each (see standin_server.h)
//   mailclient-attachment-N.htm   a copy of each file attached, N = 1, 2, ... in order
//   mailclient-mail-N.txt         each mail sent: "To: ", "Subject: " and one "Attachment: "
//                                 line per copy, an empty line, then the body as given
//
// The server leaves after a minute without calls, even while a client still holds objects,
// so that a client killed without releasing them does not keep it (and Wine) running.
namespace mailclient_standin {

inline constexpr char kProgId[] = "Outlook.Application";
inline constexpr char kClsid[] = "{41A8764C-6D32-471A-8EC5-EF8A9455C28F}";
inline constexpr char kSettingsFile[] = "mailclient_standin.ini";
inline constexpr char kLogFile[] = "mailclient-calls.txt";
inline constexpr char kAttachmentPrefix[] = "mailclient-attachment-";
inline constexpr char kMailPrefix[] = "mailclient-mail-";
inline constexpr char kProgram[] = "mailclient_standin.exe";
inline constexpr char kFailureText[] = "The stand-in mail client was told to fail";

}  // namespace mailclient_standin
