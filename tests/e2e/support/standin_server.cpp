#include "support/standin_server.h"

#include <algorithm>
#include <cctype>

namespace standin {

namespace {

// Objects alive in this process; the server ends when the last one goes (unless it was
// started as a running instance, whose own object stays registered until RequestExit).
LONG g_objects = 0;
DWORD g_main_thread = 0;
DWORD g_last_call = 0;
DWORD g_idle_limit_ms = 0;

void CALLBACK CheckIdle(HWND, UINT, UINT_PTR, DWORD) {
  if (GetTickCount() - g_last_call > g_idle_limit_ms) RequestExit();
}

std::string Ansi(const wchar_t* text, int length) {
  if (!text || length <= 0) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string ansi(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

std::wstring Wide(const std::string& ansi) {
  int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(size > 0 ? size : 0, L'\0');
  if (size > 0) {
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
  }
  return wide;
}

BSTR MakeBstr(const std::string& ansi) {
  std::wstring wide = Wide(ansi);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool SameName(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

void ObjectGone() {
  if (InterlockedDecrement(&g_objects) == 0 && g_main_thread != 0) {
    PostThreadMessageA(g_main_thread, WM_QUIT, 0, 0);
  }
}

class ClassFactory : public IClassFactory {
 public:
  ClassFactory(const ServerDefinition& definition, const CallLog& log)
      : definition_(definition), log_(log) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory lives on the serving function's stack; COM's references do not own it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Object* object = definition_.make_object(log_);
    HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&g_objects);
    } else {
      ObjectGone();
    }
    return S_OK;
  }

 private:
  const ServerDefinition& definition_;
  const CallLog& log_;
};

bool SetDefault(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG result =
      RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool HasWord(const std::string& command_line, const char* word) {
  std::string lower = command_line;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find(word) != std::string::npos;
}

}  // namespace

void CallLog::Append(const std::string& line) const {
  std::string text = line + "\r\n";
  HANDLE file = CreateFileA(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ProgramPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string BesideProgram(const std::string& file_name) {
  std::string program = ProgramPath();
  return program.substr(0, program.find_last_of('\\') + 1) + file_name;
}

Invocation::Invocation(std::string member, WORD flags, DISPPARAMS* params, VARIANT* result)
    : member_(std::move(member)), flags_(flags), result_(result) {
  if (params) {
    for (UINT i = params->cArgs; i > 0; --i) args_.push_back(&params->rgvarg[i - 1]);
  }
}

std::string Invocation::Text(std::size_t i) const {
  if (i >= args_.size()) return {};
  VARIANT text;
  VariantInit(&text);
  std::string value;
  if (SUCCEEDED(VariantChangeType(&text, args_[i], 0, VT_BSTR))) {
    value = Ansi(V_BSTR(&text), static_cast<int>(SysStringLen(V_BSTR(&text))));
  }
  VariantClear(&text);
  return value;
}

long Invocation::Number(std::size_t i) const {
  if (i >= args_.size()) return 0;
  VARIANT number;
  VariantInit(&number);
  long value = SUCCEEDED(VariantChangeType(&number, args_[i], 0, VT_I4)) ? V_I4(&number) : 0;
  VariantClear(&number);
  return value;
}

IDispatch* Invocation::Object(std::size_t i) const {
  if (i >= args_.size()) return nullptr;
  VARIANT* arg = args_[i];
  if (V_VT(arg) == VT_DISPATCH) return V_DISPATCH(arg);
  if (V_VT(arg) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(arg)) return *V_DISPATCHREF(arg);
  return nullptr;
}

std::string Invocation::LogLine(const std::string& type_name) const {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < args_.size(); ++i) texts.push_back(Object(i) ? "<object>" : Text(i));
  std::string line = type_name + "." + member_;
  if (is_put()) return line + " = " + (texts.empty() ? "" : texts.back());
  line += "(";
  for (std::size_t i = 0; i < texts.size(); ++i) line += (i ? ", " : "") + texts[i];
  return line + ")";
}

void Invocation::Return(long value) {
  if (!result_) return;
  VariantClear(result_);
  V_VT(result_) = VT_I4;
  V_I4(result_) = value;
}

void Invocation::Return(const std::string& text) {
  if (!result_) return;
  VariantClear(result_);
  V_VT(result_) = VT_BSTR;
  V_BSTR(result_) = MakeBstr(text);
}

void Invocation::Return(IDispatch* object) {
  if (!result_) {
    if (object) object->Release();
    return;
  }
  VariantClear(result_);
  V_VT(result_) = VT_DISPATCH;
  V_DISPATCH(result_) = object;
}

void Invocation::Raise(const std::string& description, HRESULT code) {
  hresult_ = DISP_E_EXCEPTION;
  raised_ = description;
  raised_code_ = code;
}

Object::Object(std::string type_name, const CallLog& log)
    : type_name_(std::move(type_name)), log_(log) {
  InterlockedIncrement(&g_objects);
}

Object::~Object() { ObjectGone(); }

Object& Object::Add(const std::string& name, Member member) {
  members_.push_back({name, std::move(member)});
  return *this;
}

Object& Object::AddProperty(const std::string& name, const std::string& initial) {
  std::size_t slot = property_values_.size();
  property_values_.push_back(initial);
  return Add(name, [this, slot](Invocation& call) {
    if (call.is_put()) {
      property_values_[slot] = call.Text(call.size() - 1);
    } else {
      call.Return(property_values_[slot]);
    }
  });
}

HRESULT Object::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG Object::AddRef() { return InterlockedIncrement(&references_); }

ULONG Object::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT Object::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT Object::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT Object::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT hr = S_OK;
  for (UINT n = 0; n < count; ++n) {
    std::string name = Ansi(names[n], static_cast<int>(lstrlenW(names[n])));
    auto found = std::find_if(members_.begin(), members_.end(),
                              [&](const Entry& entry) { return SameName(entry.name, name); });
    // Only the member itself is looked up; named arguments are not supported.
    if (n == 0 && found != members_.end()) {
      ids[n] = static_cast<DISPID>(found - members_.begin()) + 1;
    } else {
      ids[n] = DISPID_UNKNOWN;
      hr = DISP_E_UNKNOWNNAME;
    }
  }
  return hr;
}

HRESULT Object::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* exception, UINT*) {
  if (id < 1 || id > static_cast<DISPID>(members_.size())) return DISP_E_MEMBERNOTFOUND;
  if (result) VariantInit(result);
  g_last_call = GetTickCount();
  // The member may add references or release others; keep this object alive meanwhile.
  AddRef();
  const Entry& entry = members_[id - 1];
  Invocation call(entry.name, flags, params, result);
  log_.Append(call.LogLine(type_name_));
  entry.member(call);
  if (call.hresult() == DISP_E_EXCEPTION && exception) {
    *exception = EXCEPINFO{};
    exception->bstrSource = MakeBstr(type_name_);
    exception->bstrDescription = MakeBstr(call.raised());
    exception->scode = call.raised_code();
  }
  HRESULT hr = call.hresult();
  Release();
  return hr;
}

void RequestExit() {
  if (g_main_thread != 0) PostThreadMessageA(g_main_thread, WM_QUIT, 0, 0);
}

bool RegisterServer(const ServerDefinition& d, const std::string& program) {
  const std::string clsid_key = "CLSID\\" + d.clsid;
  return SetDefault(d.prog_id, d.description) && SetDefault(d.prog_id + "\\CLSID", d.clsid) &&
         SetDefault(clsid_key, d.description) &&
         SetDefault(clsid_key + "\\LocalServer32", "\"" + program + "\"") &&
         SetDefault(clsid_key + "\\ProgID", d.prog_id);
}

bool UnregisterServer(const ServerDefinition& d) {
  auto gone = [](LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; };
  bool prog_id = gone(RegDeleteTreeA(HKEY_CLASSES_ROOT, d.prog_id.c_str()));
  bool clsid = gone(RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + d.clsid).c_str()));
  return prog_id && clsid;
}

int ServerMain(const ServerDefinition& definition, const std::string& command_line) {
  if (HasWord(command_line, "/unregister")) return UnregisterServer(definition) ? 0 : 1;
  if (HasWord(command_line, "/register")) {
    return RegisterServer(definition, ProgramPath()) ? 0 : 1;
  }
  const bool running = HasWord(command_line, "/running");

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  g_main_thread = GetCurrentThreadId();
  CLSID clsid{};
  std::wstring clsid_text = Wide(definition.clsid);
  CallLog log(definition.log_path);
  ClassFactory factory(definition, log);
  DWORD class_cookie = 0;
  DWORD active_cookie = 0;
  int code = 0;
  if (FAILED(CLSIDFromString(clsid_text.c_str(), &clsid)) ||
      FAILED(CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                   &class_cookie))) {
    code = 3;
  } else {
    Object* instance = nullptr;
    g_last_call = GetTickCount();
    if (!running && definition.idle_limit_ms > 0) {
      g_idle_limit_ms = definition.idle_limit_ms;
      SetTimer(nullptr, 0, std::min<DWORD>(definition.idle_limit_ms, 1000), CheckIdle);
    }
    if (running) {
      instance = definition.make_object(log);
      if (FAILED(RegisterActiveObject(instance, clsid, ACTIVEOBJECT_STRONG, &active_cookie))) {
        code = 4;
      }
    }
    MSG message;
    while (code == 0 && GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    // Told to exit, the client's last Release is usually still on its way. A call into this
    // single-threaded apartment is served only by its message loop, and COM teardown
    // (CoUninitialize) waits for the calls in progress: tearing down while one arrives hangs
    // for good. So keep serving until the last object is gone (bounded), then end without it.
    if (active_cookie) RevokeActiveObject(active_cookie, nullptr);
    CoRevokeClassObject(class_cookie);
    if (instance) instance->Release();
    for (DWORD start = GetTickCount(); g_objects > 0 && GetTickCount() - start < 5000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
  }
  TerminateProcess(GetCurrentProcess(), code);
  return code;
}

}  // namespace standin
