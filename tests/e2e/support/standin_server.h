#pragma once
// A frame for stand-in automation servers: small out-of-process COM servers, written by hand,
// that answer the tool's late-bound calls in the Wine bench and record every call they receive.
//
// A stand-in is one program (tests/e2e/programs/<name>/) whose WinMain returns
// `standin::ServerMain(definition, lpCmdLine)`. The definition names the class (ProgID, CLSID,
// description), the call log, and a function that builds a new top-level object. The command
// line picks what the program does:
//
//   /register     registers the program in the registry exactly as a real local server is:
//                 HKCR\<ProgID>\CLSID, HKCR\CLSID\{clsid}\LocalServer32 (the program's path) and
//                 HKCR\CLSID\{clsid}\ProgID; then exits.
//   /unregister   removes those keys; then exits.
//   /running      starts as an instance the user already has open: one object is created and
//                 entered in the running object table (GetActiveObject finds it), and the
//                 program serves until that object's RequestExit or until it is killed.
//   anything else (COM starts local servers with -Embedding) serves new objects through a
//                 class factory and exits when the last object is released or on RequestExit.
//
// Objects: `Object` implements IDispatch over a table of named members (names compare
// case-insensitively, DISPIDs are positions in the table). A member is a function that receives
// an `Invocation`: its arguments in natural order (for a property put the new value is the last
// one), and Return/Raise to answer. `AddProperty` gives a plain read/write property kept in the
// object. A member can return another Object (Return(Object*)), which is how sub-objects such
// as an item and its collection are built:
//
//   standin::Object* MakeItem(standin::CallLog& log) {
//     auto* item = new standin::Object("MailItem", log);
//     item->AddProperty("To").AddProperty("Subject").AddProperty("Body");
//     item->Add("Attachments", [&log](standin::Invocation& call) {
//       auto* attachments = new standin::Object("Attachments", log);
//       attachments->Add("Add", [](standin::Invocation&) {});
//       call.Return(attachments);  // the Invocation takes over the reference
//     });
//     item->Add("Send", [](standin::Invocation&) {});
//     return item;
//   }
//
// The call log: every Invoke appends one line to the log file before the member runs, and the
// file is opened and closed for each line so that tests can read it while the server runs:
//   <type>.<member>(<arg>, <arg>)   a method call or property get: Application.DateCode()
//   <type>.<member> = <value>       a property put: MailItem.To = support@example.com
// Arguments are written as text (VariantChangeType to BSTR, in the ANSI code page); an object
// argument is written as "<object>". A member that is not in the table fails GetIDsOfNames and
// is not logged.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "programs/standin/standin.h"

namespace standin {

// Test side: standin.exe (programs/standin/standin.h) in one role, set up for one test.
class Server {
 public:
  // Writes `settings` (lines of the [Answers] section) as the role's settings file, empties its
  // call log, and registers the role unless `registered` is false.
  explicit Server(const Role& role, const std::string& settings = "", bool registered = true);
  // Ends every standin.exe still running (found by image name, ended by process id),
  // unregisters the role and removes its settings and call log.
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // A file beside standin.exe (its settings, call log, attached copies).
  static std::string Beside(const std::string& file_name);
  // The call log so far.
  std::string Calls() const;
  // Starts an instance the user already has open (`/running`) and waits until it is in the
  // running object table.
  bool StartRunning();
  // The standin.exe processes running now.
  static int Count();

 private:
  const Role& role_;
};

// A file of one line per call, beside the program by default.
class CallLog {
 public:
  explicit CallLog(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  void Append(const std::string& line) const;

 private:
  std::string path_;
};

// `file_name` in the folder of the running program.
std::string BesideProgram(const std::string& file_name);

class Invocation {
 public:
  Invocation(std::string member, WORD flags, DISPPARAMS* params, VARIANT* result);

  const std::string& member() const { return member_; }
  bool is_put() const { return (flags_ & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }
  std::size_t size() const { return args_.size(); }
  // Argument `i` (natural order) as text or number; empty text / 0 when missing or not
  // convertible.
  std::string Text(std::size_t i) const;
  long Number(std::size_t i) const;
  // Argument `i` as an object, borrowed; null when it is none.
  IDispatch* Object(std::size_t i) const;
  // The line the call log gets for this call.
  std::string LogLine(const std::string& type_name) const;

  void Return(long value);
  void Return(const std::string& text);
  // Takes over the caller's reference to `object`.
  void Return(IDispatch* object);
  // Fails the call with DISP_E_EXCEPTION and `description` in EXCEPINFO.
  void Raise(const std::string& description, HRESULT code = E_FAIL);

  HRESULT hresult() const { return hresult_; }
  const std::string& raised() const { return raised_; }
  HRESULT raised_code() const { return raised_code_; }

 private:
  std::string member_;
  WORD flags_;
  std::vector<VARIANT*> args_;
  VARIANT* result_;
  HRESULT hresult_ = S_OK;
  std::string raised_;
  HRESULT raised_code_ = S_OK;
};

// An automation object with a table of named members. Created with one reference (`new`
// gives it to the caller); it lives as long as COM references remain, and keeps the server
// process alive while it does.
class Object : public IDispatch {
 public:
  using Member = std::function<void(Invocation&)>;

  Object(std::string type_name, const CallLog& log);
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  Object& Add(const std::string& name, Member member);
  // A property that a put stores and a get returns, as text.
  Object& AddProperty(const std::string& name, const std::string& initial = "");
  const std::string& type_name() const { return type_name_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* bad_argument) override;

 protected:
  virtual ~Object();

 private:
  struct Entry {
    std::string name;
    Member member;
  };
  std::string type_name_;
  const CallLog& log_;
  std::vector<Entry> members_;
  std::vector<std::string> property_values_;
  LONG references_ = 1;
};

// Ends the serving loop of this process (the host's "exit" call uses it).
void RequestExit();

struct ServerDefinition {
  std::string prog_id;
  std::string clsid;  // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
  std::string description;
  std::string log_path;
  // A new top-level object with one reference for the caller.
  std::function<Object*(const CallLog&)> make_object;
  // When COM started the server: leave after this long without a call (0: never), so that a
  // client that ended without releasing its objects cannot keep the Wine session alive.
  DWORD idle_limit_ms = 0;
};

// Registration as a local server of `program` (a full path).
bool RegisterServer(const ServerDefinition& definition, const std::string& program);
bool UnregisterServer(const ServerDefinition& definition);
// This program's own path.
std::string ProgramPath();

// Runs the program as described at the top of this file; returns its exit code.
int ServerMain(const ServerDefinition& definition, const std::string& command_line);

}  // namespace standin
