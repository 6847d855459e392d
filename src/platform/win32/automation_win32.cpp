#include "platform/win32/automation_win32.h"

#include <climits>
#include <cmath>

#include "platform/failure.h"
#include "platform/win32/com_helpers.h"

namespace torvel {

namespace {

class Win32AutomationObject : public AutomationObject {
 public:
  explicit Win32AutomationObject(com::Ptr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

  IDispatch* dispatch() const { return dispatch_.get(); }

  AutoValue Get(const std::string& name) override {
    std::vector<com::Variant> none;
    return Convert(
        com::Invoke(dispatch_.get(), name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none));
  }

  void Put(const std::string& name, const AutoValue& value) override {
    std::vector<com::Variant> args;
    args.push_back(ToVariant(value));
    WORD flags = std::holds_alternative<AutomationRef>(value) ? DISPATCH_PROPERTYPUTREF
                                                              : DISPATCH_PROPERTYPUT;
    com::Invoke(dispatch_.get(), name, flags, args);
  }

  AutoValue Call(const std::string& name, const std::vector<AutoValue>& values) override {
    std::vector<com::Variant> args;
    for (const AutoValue& value : values) args.push_back(ToVariant(value));
    return Convert(
        com::Invoke(dispatch_.get(), name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args));
  }

  static com::Variant ToVariant(const AutoValue& value);
  static AutoValue Convert(com::Variant result);

 private:
  com::Ptr<IDispatch> dispatch_;
};

com::Variant Win32AutomationObject::ToVariant(const AutoValue& value) {
  com::Variant v;
  VARIANT* p = v.get();
  if (auto n = std::get_if<std::int32_t>(&value)) {
    V_VT(p) = VT_I4;
    V_I4(p) = *n;
  } else if (auto d = std::get_if<double>(&value)) {
    V_VT(p) = VT_R8;
    V_R8(p) = *d;
  } else if (auto s = std::get_if<std::string>(&value)) {
    com::Bstr text(*s);
    V_VT(p) = VT_BSTR;
    V_BSTR(p) = text.release();
  } else if (auto b = std::get_if<bool>(&value)) {
    V_VT(p) = VT_BOOL;
    V_BOOL(p) = *b ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (auto ref = std::get_if<AutomationRef>(&value)) {
    auto* object = dynamic_cast<Win32AutomationObject*>(ref->get());
    if (*ref && !object) com::Throw(E_INVALIDARG);
    V_VT(p) = VT_DISPATCH;
    V_DISPATCH(p) = object ? object->dispatch() : nullptr;
    if (V_DISPATCH(p)) V_DISPATCH(p)->AddRef();
  }
  return v;
}

AutoValue Win32AutomationObject::Convert(com::Variant result) {
  // A reference result is read through to its value first.
  if (result.type() & VT_BYREF) {
    com::Variant value;
    HRESULT hr = VariantCopyInd(value.get(), result.get());
    if (FAILED(hr)) com::Throw(hr);
    result = std::move(value);
  }
  VARIANT* p = result.get();
  switch (V_VT(p)) {
    case VT_EMPTY:
    case VT_NULL:
      return std::monostate{};
    case VT_BSTR:
      return com::FromBstr(V_BSTR(p));
    case VT_BOOL:
      return V_BOOL(p) != VARIANT_FALSE;
    case VT_R4:
      return static_cast<double>(V_R4(p));
    case VT_R8:
    case VT_DATE:
      return V_R8(p);
    case VT_DISPATCH:
      if (!V_DISPATCH(p)) return std::monostate{};
      return std::make_shared<Win32AutomationObject>(com::Ptr<IDispatch>::Share(V_DISPATCH(p)));
    case VT_UNKNOWN: {
      com::Ptr<IDispatch> dispatch;
      if (!V_UNKNOWN(p) ||
          FAILED(V_UNKNOWN(p)->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
        return std::monostate{};
      }
      return std::make_shared<Win32AutomationObject>(std::move(dispatch));
    }
    default:
      break;
  }
  // Every other number becomes a 32-bit integer when it fits, else a double.
  com::Variant number;
  if (SUCCEEDED(VariantChangeType(number.get(), p, 0, VT_R8))) {
    double d = V_R8(number.get());
    if (d == std::trunc(d) && d >= INT_MIN && d <= INT_MAX) return static_cast<std::int32_t>(d);
    return d;
  }
  com::Variant text;
  HRESULT hr = VariantChangeType(text.get(), p, 0, VT_BSTR);
  if (FAILED(hr)) com::Throw(hr);
  return com::FromBstr(V_BSTR(text.get()));
}

CLSID ClassId(const std::string& class_name) {
  std::wstring wide = Wide(class_name);
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(wide.c_str(), &clsid);
  if (FAILED(hr)) com::Throw(hr);
  return clsid;
}

AutomationRef Wrap(com::Ptr<IUnknown> unknown) {
  com::Ptr<IDispatch> dispatch;
  HRESULT hr = unknown->QueryInterface(IID_IDispatch, dispatch.put_void());
  if (FAILED(hr)) com::Throw(hr);
  return std::make_shared<Win32AutomationObject>(std::move(dispatch));
}

}  // namespace

AutomationRef Win32Automation::Create(const std::string& class_name) {
  CLSID clsid = ClassId(class_name);
  com::Ptr<IUnknown> unknown;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, unknown.put_void());
  if (FAILED(hr)) com::Throw(hr);
  return Wrap(std::move(unknown));
}

AutomationRef Win32Automation::FindRunning(const std::string& class_name) {
  try {
    CLSID clsid = ClassId(class_name);
    com::Ptr<IUnknown> unknown;
    if (FAILED(GetActiveObject(clsid, nullptr, unknown.put())) || !unknown) return nullptr;
    return Wrap(std::move(unknown));
  } catch (const Failure&) {
    return nullptr;
  }
}

}  // namespace torvel
