#pragma once
// A small late-binding helper: owned COM pointers, VARIANTs and BSTRs, the ANSI <-> BSTR
// conversions, and calls by member name through IDispatch with errors as Failure.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace torvel::com {

// An owned interface pointer: released once, when it goes.
template <typename T>
class Ptr {
 public:
  Ptr() = default;
  // Takes over a reference the caller already holds.
  explicit Ptr(T* owned) : p_(owned) {}
  Ptr(const Ptr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  Ptr(Ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Ptr& operator=(Ptr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Ptr() {
    if (p_) p_->Release();
  }
  // A new reference to a pointer the caller does not own.
  static Ptr Share(T* borrowed) {
    if (borrowed) borrowed->AddRef();
    return Ptr(borrowed);
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out parameters: releases what is held first.
  T** Out() {
    *this = Ptr();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  // From text in the ANSI code page.
  explicit Bstr(const std::string& ansi);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  BSTR get() const { return b_; }
  // Hands the string over (to a VARIANT, say).
  BSTR Release() { return std::exchange(b_, nullptr); }
  BSTR* Out() {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
  }

 private:
  BSTR b_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : Variant() { std::swap(v_, other.v_); }
  Variant& operator=(Variant&& other) noexcept {
    std::swap(v_, other.v_);
    return *this;
  }
  ~Variant() { VariantClear(&v_); }
  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }
  VARTYPE type() const { return V_VT(&v_); }

 private:
  VARIANT v_;
};

// Text in the ANSI code page from UTF-16 and back.
std::string ToAnsi(const wchar_t* text, int length);
std::string ToAnsi(BSTR text);
std::wstring ToWide(const std::string& ansi);

// The system's text for an HRESULT, without the line end; "unknown error" when there is none.
std::string HresultText(HRESULT hr);
// Throws Failure(hr, HresultText(hr)).
[[noreturn]] void Throw(HRESULT hr);

// The DISPID of a member; throws Failure when the object does not know the name.
DISPID DispIdOf(IDispatch* object, const std::string& name);

// Invokes a member by name with `args` in their natural order (the last one first on the
// wire, as IDispatch wants them). `flags` is DISPATCH_METHOD, _PROPERTYGET, _PROPERTYPUT or
// _PROPERTYPUTREF (or a combination of the first two). Throws Failure with the server's
// exception text when the call raised one.
Variant Invoke(IDispatch* object, const std::string& name, WORD flags, std::vector<Variant>& args);

}  // namespace torvel::com
