#include "platform/win32/com_helpers.h"

#include <algorithm>

#include "platform/failure.h"
#include "platform/win32/system_text.h"
#include "platform/win32/utf8.h"

namespace torvel::com {

Bstr::Bstr(const std::string& utf8) {
  std::wstring wide = Wide(utf8);
  b_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!b_) Throw(E_OUTOFMEMORY);
}

namespace {

struct KnownCode {
  HRESULT hr;
  const char* text;
};
constexpr KnownCode kKnownCodes[] = {
    {CO_E_CLASSSTRING, "Invalid class string"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_SERVER_EXEC_FAILURE, "Server execution failed"},
    {CO_E_NOTINITIALIZED, "CoInitialize has not been called"},
    {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients"},
    {RPC_E_SERVERFAULT, "The server threw an exception"},
    {HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), "The RPC server is unavailable"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_FAIL, "Unspecified error"},
    {E_ACCESSDENIED, "Access is denied"},
    {E_OUTOFMEMORY, "Not enough memory"},
    {E_INVALIDARG, "The parameter is incorrect"},
    {DISP_E_UNKNOWNNAME, "Unknown name"},
    {DISP_E_MEMBERNOTFOUND, "Member not found"},
    {DISP_E_TYPEMISMATCH, "Type mismatch"},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters"},
    {DISP_E_EXCEPTION, "Exception occurred"},
};

}  // namespace

std::string HresultText(HRESULT hr) {
  std::string text = SystemMessageText(static_cast<unsigned long>(hr));
  if (!text.empty()) return text;
  // Some systems (Wine among them) have no message text for the COM and automation codes.
  for (const KnownCode& known : kKnownCodes) {
    if (known.hr == hr) return known.text;
  }
  return "unknown error";
}

void Throw(HRESULT hr) { throw Failure(hr, HresultText(hr)); }

DISPID DispIdOf(IDispatch* object, const std::string& name) {
  std::wstring wide = Wide(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) Throw(hr);
  return id;
}

namespace {

// The strings of an EXCEPINFO, freed whichever way the call ends.
struct ExceptionInfo {
  EXCEPINFO info{};
  ~ExceptionInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
  [[noreturn]] void Throw(HRESULT hr) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    HRESULT code = info.scode != 0 ? info.scode : hr;
    std::string text = FromBstr(info.bstrDescription);
    if (text.empty()) text = HresultText(code);
    throw Failure(code, text);
  }
};

}  // namespace

Variant Invoke(IDispatch* object, const std::string& name, WORD flags, std::vector<Variant>& args) {
  if (!object) Throw(E_POINTER);
  DISPID id = DispIdOf(object, name);
  std::vector<VARIANTARG> wire(args.size());
  // Copies of the VARIANT structs, not of what they own: `args` keeps ownership.
  std::transform(args.rbegin(), args.rend(), wire.begin(), [](Variant& v) { return *v.get(); });
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  params.rgvarg = wire.empty() ? nullptr : wire.data();
  params.cArgs = static_cast<UINT>(wire.size());
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put_id;
    params.cNamedArgs = 1;
  }
  Variant result;
  ExceptionInfo exception;
  UINT bad_argument = 0;
  HRESULT hr = object->Invoke(
      id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
      (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? nullptr : result.put(),
      &exception.info, &bad_argument);
  if (hr == DISP_E_EXCEPTION) exception.Throw(hr);
  if (FAILED(hr)) Throw(hr);
  return result;
}

}  // namespace torvel::com
