#include "platform/win32/automation_win32.h"

#include <atomic>
#include <climits>
#include <cmath>
#include <exception>
#include <functional>
#include <memory>

#include "platform/failure.h"
#include "platform/win32/com_helpers.h"
#include "platform/win32/owned.h"

namespace torvel {

namespace {

// A line's thread only makes calls and converts their values: a small stack is plenty.
constexpr SIZE_T kLineStackBytes = 256 * 1024;
constexpr DWORD kRetryPauseMs = 100;

// One server's apartment: a thread of its own on which every call to that server's objects is
// made, one call at a time, so that a server that stops answering never hangs the tool. Calls
// the server rejects (it is still starting) are made again, for at most half the answer limit in
// all; a call then waits for its answer at most the rest of the limit. A server that runs out of
// either is given up: every later call fails at once with the same failure, nothing more (not
// even a release) reaches the server, and its thread is left where it hangs. The user may stop
// waiting sooner: that too gives the server up as one that did not answer.
class ServerLine {
 public:
  static std::shared_ptr<ServerLine> Start(DWORD answer_limit_ms, Waiting& waiting) {
    auto slot = std::make_unique<Slot>();
    DWORD thread_id = 0;
    UniqueHandle thread(slot->ready && slot->done
                            ? CreateThread(nullptr, kLineStackBytes, &Serve, slot.get(),
                                           STACK_SIZE_PARAM_IS_A_RESERVATION, &thread_id)
                            : nullptr);
    if (!thread) com::Throw(HRESULT_FROM_WIN32(GetLastError()));
    return std::shared_ptr<ServerLine>(
        new ServerLine(answer_limit_ms, waiting, slot.release(), thread_id));
  }
  ServerLine(const ServerLine&) = delete;
  ServerLine& operator=(const ServerLine&) = delete;
  ~ServerLine() {
    // A line that still answers ends its thread; a given-up one is left where it hangs.
    if (given_up_) return;
    slot_->job = nullptr;
    SetEvent(slot_->ready.get());
  }

  // Runs `work` on the line's thread and returns its result or throws its failure as a Failure.
  AutoValue Run(const std::function<AutoValue()>& work) {
    // Already on the line (an object whose last reference goes there): no one to wait for.
    if (GetCurrentThreadId() == thread_id_) return work();
    for (;;) {
      if (const long code = given_up_) {
        throw Failure(code, code == kNoAnswer ? "The server did not answer" : "The server is busy");
      }
      const DWORD start = GetTickCount();
      slot_->job = work;
      slot_->failure = nullptr;
      SetEvent(slot_->ready.get());
      const DWORD left = answer_limit_ms_ - rejected_ms_;
      if (waiting_.Wait(slot_->done.get(), left, left) != Waiting::Outcome::kDone) {
        given_up_ = kNoAnswer;
        continue;
      }
      try {
        if (slot_->failure) std::rethrow_exception(slot_->failure);
        return std::move(slot_->answer);
      } catch (const Failure& failure) {
        if (failure.number() != kCallRejected && failure.number() != RPC_E_SERVERCALL_RETRYLATER)
          throw;
      } catch (const std::exception& e) {
        throw Failure(E_FAIL, e.what());
      } catch (...) {
        throw Failure(E_UNEXPECTED, "The call failed");
      }
      if (waiting_.Wait(nullptr, kRetryPauseMs, answer_limit_ms_ - rejected_ms_) ==
          Waiting::Outcome::kStopped) {
        given_up_ = kNoAnswer;
      }
      rejected_ms_ += GetTickCount() - start;
      if (rejected_ms_ >= answer_limit_ms_ / 2) given_up_ = kCallRejected;
    }
  }

  // Releases an interface on the line's thread, unless the server was given up.
  void Release(IDispatch* dispatch) {
    if (given_up_ || !dispatch) return;
    try {
      Run([dispatch] { return dispatch->Release(), AutoValue(); });
    } catch (const Failure&) {
      // Given up: the reference stays with the server.
    }
  }

 private:
  // The one job handed to the line's thread at a time, and its outcome. The thread owns it, so
  // that it outlives a line given up while its thread still hangs in a call.
  struct Slot {
    UniqueHandle ready{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle done{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::function<AutoValue()> job;  // empty: the line ends
    AutoValue answer;
    std::exception_ptr failure;
  };

  ServerLine(DWORD answer_limit_ms, Waiting& waiting, Slot* slot, DWORD thread_id)
      : answer_limit_ms_(answer_limit_ms), waiting_(waiting), slot_(slot), thread_id_(thread_id) {}

  static DWORD WINAPI Serve(void* parameter) {
    std::unique_ptr<Slot> slot(static_cast<Slot*>(parameter));
    ComApartment apartment;
    HANDLE ready = slot->ready.get();
    for (;;) {
      // An apartment's thread serves its messages while it waits.
      if (MsgWaitForMultipleObjects(1, &ready, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) {
        std::function<AutoValue()> job = std::move(slot->job);
        if (!job) return 0;
        try {
          slot->answer = job();
        } catch (...) {
          slot->failure = std::current_exception();
        }
        SetEvent(slot->done.get());
      } else {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      }
    }
  }

  const DWORD answer_limit_ms_;
  Waiting& waiting_;
  Slot* const slot_;
  const DWORD thread_id_;
  DWORD rejected_ms_ = 0;  // spent on rejected calls
  // The failure the server was given up with; 0 while it is not. Read on the line's thread too.
  std::atomic<long> given_up_ = 0;
};

// What `work` gives, or the failure it raised: inside, failures travel as exceptions.
template <typename Work>
auto Answered(Work work) -> Result<decltype(work())> {
  try {
    return work();
  } catch (const Failure& failure) {
    return ErrorInfo{failure.number(), failure.description()};
  }
}

class Win32AutomationObject : public AutomationObject {
 public:
  // Takes over a reference to `dispatch`, which lives in `line`'s apartment.
  Win32AutomationObject(std::shared_ptr<ServerLine> line, IDispatch* dispatch)
      : line_(std::move(line)), dispatch_(dispatch) {}
  ~Win32AutomationObject() override { line_->Release(dispatch_); }
  Win32AutomationObject(const Win32AutomationObject&) = delete;
  Win32AutomationObject& operator=(const Win32AutomationObject&) = delete;

  IDispatch* dispatch() const { return dispatch_; }

  Result<AutoValue> Get(const std::string& name) override {
    return Answered([&] { return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}); });
  }

  Status Put(const std::string& name, const AutoValue& value) override {
    WORD flags = std::holds_alternative<AutomationRef>(value) ? DISPATCH_PROPERTYPUTREF
                                                              : DISPATCH_PROPERTYPUT;
    return Answered([&] {
      Invoke(name, flags, {value});
      return Done{};
    });
  }

  Result<AutoValue> Call(const std::string& name, const std::vector<AutoValue>& values) override {
    return Answered([&] { return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, values); });
  }

 private:
  // The call is made on the server's line; arguments and results are turned into VARIANTs and
  // back there too, since objects among them belong to that apartment.
  AutoValue Invoke(const std::string& name, WORD flags, const std::vector<AutoValue>& values) {
    std::shared_ptr<ServerLine> line = line_;
    IDispatch* dispatch = dispatch_;
    return line_->Run([line, dispatch, name, flags, values] {
      std::vector<com::Variant> args;
      for (const AutoValue& value : values) args.push_back(ToVariant(value, *line));
      return Convert(com::Invoke(dispatch, name, flags, args), line);
    });
  }

  static com::Variant ToVariant(const AutoValue& value, const ServerLine& line);
  static AutoValue Convert(com::Variant result, const std::shared_ptr<ServerLine>& line);

  std::shared_ptr<ServerLine> line_;
  IDispatch* dispatch_;
};

com::Variant Win32AutomationObject::ToVariant(const AutoValue& value, const ServerLine& line) {
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
    // Only an object of the same server can be handed to it.
    if (*ref && (!object || object->line_.get() != &line)) com::Throw(E_INVALIDARG);
    V_VT(p) = VT_DISPATCH;
    V_DISPATCH(p) = object ? object->dispatch() : nullptr;
    if (V_DISPATCH(p)) V_DISPATCH(p)->AddRef();
  }
  return v;
}

AutoValue Win32AutomationObject::Convert(com::Variant result,
                                         const std::shared_ptr<ServerLine>& line) {
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
      V_DISPATCH(p)->AddRef();
      return std::make_shared<Win32AutomationObject>(line, V_DISPATCH(p));
    case VT_UNKNOWN: {
      com::Ptr<IDispatch> dispatch;
      if (!V_UNKNOWN(p) ||
          FAILED(V_UNKNOWN(p)->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
        return std::monostate{};
      }
      return std::make_shared<Win32AutomationObject>(line, dispatch.release());
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

// The object's IDispatch, on the line where it was obtained.
AutomationRef Wrap(const std::shared_ptr<ServerLine>& line, com::Ptr<IUnknown> unknown) {
  com::Ptr<IDispatch> dispatch;
  HRESULT hr = unknown->QueryInterface(IID_IDispatch, dispatch.put_void());
  if (FAILED(hr)) com::Throw(hr);
  return std::make_shared<Win32AutomationObject>(line, dispatch.release());
}

}  // namespace

// The class is looked up before a line starts: one that is not installed costs no thread.
Result<AutomationRef> Win32Automation::Create(const std::string& class_name) {
  return Answered([&] {
    const CLSID clsid = ClassId(class_name);
    std::shared_ptr<ServerLine> line =
        idle_line_ ? std::static_pointer_cast<ServerLine>(std::move(idle_line_))
                   : ServerLine::Start(answer_limit_ms_, *waiting_);
    return std::get<AutomationRef>(line->Run([line, clsid] {
      com::Ptr<IUnknown> unknown;
      HRESULT hr =
          CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, unknown.put_void());
      if (FAILED(hr)) com::Throw(hr);
      return Wrap(line, std::move(unknown));
    }));
  });
}

AutomationRef Win32Automation::FindRunning(const std::string& class_name) {
  try {
    const CLSID clsid = ClassId(class_name);
    std::shared_ptr<ServerLine> line = ServerLine::Start(answer_limit_ms_, *waiting_);
    AutomationRef found = std::get<AutomationRef>(line->Run([line, clsid]() -> AutomationRef {
      com::Ptr<IUnknown> unknown;
      if (FAILED(GetActiveObject(clsid, nullptr, unknown.put())) || !unknown) return nullptr;
      return Wrap(line, std::move(unknown));
    }));
    if (!found) idle_line_ = line;
    return found;
  } catch (const Failure&) {
    return nullptr;
  }
}

}  // namespace torvel
