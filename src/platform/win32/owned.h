#pragma once
// The owners of Windows resources, one home for all: each frees its resource exactly once, on
// every path, and each has the same accessors: get() to use it, put() to receive it from an
// out-parameter (freeing what was held), release() to hand it over, and a test for "holds one".
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "platform/win32/common_controls.h"

namespace torvel {

// A move-only owner for a Win32 handle. `Invalid` is the handle's "none" value as a number
// (INVALID_HANDLE_VALUE is -1).
template <typename T, auto Close, std::intptr_t Invalid = 0>
class Unique {
 public:
  static T None() {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<T>(Invalid);
    } else {
      return static_cast<T>(Invalid);
    }
  }

  Unique() = default;
  explicit Unique(T value) : value_(value) {}
  Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, None())) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, None());
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  T get() const { return value_; }
  T* put() {
    reset();
    return &value_;
  }
  T release() { return std::exchange(value_, None()); }
  explicit operator bool() const { return value_ != None(); }
  void reset() {
    if (value_ != None()) Close(std::exchange(value_, None()));
  }

 private:
  T value_ = None();
};

inline void FreeHeapBlock(void* block) { HeapFree(GetProcessHeap(), 0, block); }
inline void FreeLocal(void* block) { LocalFree(block); }
inline void DeleteFont(HFONT font) { DeleteObject(font); }
inline void DestroyImages(HIMAGELIST images) { controls::ImageListDestroy(images); }

using UniqueHandle = Unique<HANDLE, &CloseHandle>;      // processes, threads, events
using UniqueFile = Unique<HANDLE, &CloseHandle, -1>;    // CreateFile's handles
using UniqueHkey = Unique<HKEY, &RegCloseKey>;          // registry keys
using UniqueHeapBlock = Unique<void*, &FreeHeapBlock>;  // HeapAlloc's blocks
using UniqueLocalBlock = Unique<void*, &FreeLocal>;     // blocks the system allocates
using UniqueFont = Unique<HFONT, &DeleteFont>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
using UniqueImageList = Unique<HIMAGELIST, &DestroyImages>;

// A window's device context (the screen's for no window) with its dots per inch.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  // Horizontal dots per inch; 96 when there is no context.
  int dpi() const { return dc_ ? GetDeviceCaps(dc_, LOGPIXELSX) : 96; }

 private:
  HWND window_;
  HDC dc_;
};

// The calling thread's COM apartment (single-threaded), left when the scope ends.
class ComApartment {
 public:
  ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (entered_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  explicit operator bool() const { return entered_; }

 private:
  bool entered_;
};

namespace com {

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
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** put() {
    *this = Ptr();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  // Hands the reference over.
  T* release() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  // From UTF-8 text.
  explicit Bstr(const std::string& utf8);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  BSTR get() const { return b_; }
  // Hands the string over (to a VARIANT, say).
  BSTR release() { return std::exchange(b_, nullptr); }
  BSTR* put() {
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
  // For out-parameters: clears what is held and hands out the slot.
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  const VARIANT* get() const { return &v_; }
  VARTYPE type() const { return V_VT(&v_); }

 private:
  VARIANT v_;
};

}  // namespace com

}  // namespace torvel
