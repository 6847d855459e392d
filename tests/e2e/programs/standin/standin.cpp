// standin.exe: a late-bound automation server whose members and answers come from one table.
#include "programs/standin/standin.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace standin;

enum Kind { kText, kNumber, kObject, kExit, kCopy };
struct Row {
  const Role* role;
  std::wstring type, member;
  Kind kind;
  const wchar_t* answer;  // the default answer, or the type of the object returned
} const kRows[] = {
    {&kHost, L"Application", L"DateCode", kNumber, L"20050318"},
    {&kHost, L"Application", L"RevisionNumber", kText, L"13.0.1822.0"},
    {&kHost, L"Application", L"ExitApp", kExit, L""},
    {&kMail, L"Application", L"CreateItem", kObject, L"MailItem"},
    {&kMail, L"MailItem", L"To", kText, L""},
    {&kMail, L"MailItem", L"Subject", kText, L""},
    {&kMail, L"MailItem", L"Body", kText, L""},
    {&kMail, L"MailItem", L"Attachments", kObject, L"Attachments"},
    {&kMail, L"MailItem", L"Send", kText, L""},
    {&kMail, L"Attachments", L"Add", kCopy, L""},
};

const Role* g_role = &kHost;
LONG g_objects = 0;

std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); }
std::wstring Beside(const std::wstring& file_name) {
  wchar_t path[MAX_PATH];
  std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return program.substr(0, program.rfind(L'\\') + 1) + file_name;
}
std::wstring Setting(const std::wstring& key, const wchar_t* fallback = L"") {
  wchar_t value[512];
  return std::wstring(
      value, GetPrivateProfileStringW(Wide(kSection).c_str(), key.c_str(), fallback, value, 512,
                                      Beside(Wide(g_role->settings_file)).c_str()));
}
// Opened for each line, so that tests can read it while the server runs.
void Log(const std::wstring& line) {
  char utf8[65536] = {};
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
  FILE* log = _wfopen(Beside(Wide(g_role->log_file)).c_str(), L"ab");
  if (log) fputs(utf8, log), fclose(log);
}

// One object of the table's `type`; the class factory too, which makes Applications.
class Object : public IDispatch, public IClassFactory {
 public:
  // The factory counts too, so the server is done when only it is left.
  explicit Object(std::wstring type) : type_(std::move(type)) { ++g_objects; }
  virtual ~Object() {
    if (--g_objects == 1) PostQuitMessage(0);
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IClassFactory ? static_cast<void*>(static_cast<IClassFactory*>(this))
           : iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this)
                                                         : nullptr;
    return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    Object* made = new Object(L"Application");
    HRESULT hr = made->QueryInterface(iid, out);
    return made->Release(), hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* id) override {
    for (const Row& row : kRows) {
      if (row.role == g_role && row.type == type_ && lstrcmpiW(row.member.c_str(), names[0]) == 0) {
        return *id = &row - kRows + 1, S_OK;
      }
    }
    return *id = DISPID_UNKNOWN, DISP_E_UNKNOWNNAME;
  }
  // Logs the call, then answers as its row says, or with the settings' answer for the member.
  // (COM's stubs always pass a result and an exception to fill.)
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (id < 1 || id > DISPID(std::size(kRows))) return DISP_E_MEMBERNOTFOUND;
    // Still starting (timed from the first call): the call is rejected, to be made again.
    static const DWORD first_call = GetTickCount();
    if (GetTickCount() - first_call < DWORD(_wtoi(Setting(L"Busy").c_str())))
      return RPC_E_CALL_REJECTED;
    const Row& row = kRows[id - 1];
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_PARAMNOTOPTIONAL;
    std::wstring line = type_ + L"." + row.member + (put ? L" = " : L"("), last, failure;
    for (UINT i = params->cArgs; i > 0; --i) {
      VARIANT text{};
      VariantChangeType(&text, &params->rgvarg[i - 1], 0, VT_BSTR);
      last = V_VT(&text) == VT_BSTR ? V_BSTR(&text) : L"";
      line += (put || i == params->cArgs ? L"" : L", ") + last;
      VariantClear(&text);
    }
    Log(line + (put ? L"\r\n" : L")\r\n"));
    VariantInit(result);
    std::wstring copy = Beside(Wide(kAttachedPrefix) + last.substr(last.rfind(L'\\') + 1));
    if (Setting(L"Silent") == row.member) Sleep(INFINITE);  // a server that stopped answering
    if (Setting(L"Fail") == row.member) {
      failure = row.member + L" is not available in this session";
    } else if (row.kind == kObject) {
      V_VT(result) = VT_DISPATCH;
      V_DISPATCH(result) = new Object(row.answer);
    } else if (row.kind == kCopy) {
      if (!CopyFileW(last.c_str(), copy.c_str(), FALSE)) failure = L"Cannot attach " + last;
    } else {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocString(Setting(row.member, row.answer).c_str());
      if (row.kind == kNumber) VariantChangeType(result, result, 0, VT_I4);
      if (row.kind == kExit) PostQuitMessage(0);
    }
    if (failure.empty()) return S_OK;
    *exception = EXCEPINFO{};
    exception->bstrDescription = SysAllocString(failure.c_str());
    exception->scode = E_FAIL;
    return DISP_E_EXCEPTION;
  }

 private:
  std::wstring type_;
  LONG references_ = 1;
};

int Serve(bool running) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID clsid;
  CLSIDFromString(Wide(g_role->clsid).c_str(), &clsid);
  Object* factory = new Object(L"Factory");
  Object* instance = running ? new Object(L"Application") : nullptr;
  DWORD class_cookie = 0, active_cookie = 0;
  // An instance the user has open is found in the running object table only: its class object,
  // left behind in Wine's registrations when a test ends it, would answer later tests' creations.
  if ((!running &&
       FAILED(CoRegisterClassObject(clsid, static_cast<IClassFactory*>(factory),
                                    CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &class_cookie))) ||
      (running && FAILED(RegisterActiveObject(static_cast<IDispatch*>(instance), clsid,
                                              ACTIVEOBJECT_STRONG, &active_cookie)))) {
    return 3;
  }
  if (running) Log(L"");  // the log appears: ready
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);

  // Told to exit, the client's last Release is usually still on its way. A call into this
  // single-threaded apartment is served only by its message loop, and COM teardown
  // (CoUninitialize) waits for the calls in progress: tearing down while one arrives hangs
  // for good. So keep serving until the last object is gone (bounded), then end without it.
  if (active_cookie) RevokeActiveObject(active_cookie, nullptr);
  if (class_cookie) CoRevokeClassObject(class_cookie);
  factory->Release();
  if (instance) instance->Release();
  for (DWORD start = GetTickCount(); g_objects > 0 && GetTickCount() - start < 5000;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  TerminateProcess(GetCurrentProcess(), 0);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  const std::string words = command_line;
  if (words.rfind(kMail.name, 0) == 0) g_role = &kMail;
  const std::wstring id = Wide(g_role->prog_id), key = L"CLSID\\" + Wide(g_role->clsid);
  if (words.find("/unregister") != std::string::npos) {
    for (const std::wstring& tree : {id, key}) RegDeleteTreeW(HKEY_CLASSES_ROOT, tree.c_str());
    return 0;
  }
  if (words.find("/register") != std::string::npos) {
    const std::pair<std::wstring, std::wstring> values[] = {
        {id + L"\\CLSID", Wide(g_role->clsid)},
        {key + L"\\LocalServer32", L"\"" + Beside(Wide(kProgram)) + L"\" " + Wide(g_role->name)},
        {key + L"\\ProgID", id}};
    bool done = true;
    for (const auto& [at, value] : values) {
      done = done && !RegSetValueW(HKEY_CLASSES_ROOT, at.c_str(), REG_SZ, value.c_str(), 0);
    }
    return !done;
  }
  return Serve(words.find("/running") != std::string::npos);
}
