#include "platform/win32/automation_win32.h"

#include <atomic>
#include <climits>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

#include "platform/failure.h"
#include "platform/win32/com_helpers.h"
#include "platform/win32/owned.h"

namespace torvel {

namespace {

// One server's apartment: a thread of its own on which every call to that server's objects
// is made, so that a server that stops answering costs one wait of the answer limit and never
// the tool itself. After one unanswered call the server is given up: no further call, not even
// a release, reaches it, and its thread is left to the process's end.
class ServerLine {
 public:
  static std::shared_ptr<ServerLine> Start(DWORD answer_limit_ms) {
    auto line = std::shared_ptr<ServerLine>(new ServerLine(answer_limit_ms));
    line->shared_ = std::make_shared<Shared>();
    auto* handed = new std::shared_ptr<Shared>(line->shared_);
    UniqueHandle thread(CreateThread(nullptr, 0, &ServerLine::Loop, handed, 0, &line->thread_id_));
    if (!thread) {
      delete handed;
      com::Throw(HRESULT_FROM_WIN32(GetLastError()));
    }
    return line;
  }
  ServerLine(const ServerLine&) = delete;
  ServerLine& operator=(const ServerLine&) = delete;
  ~ServerLine() {
    // A line that still answers ends its thread; a silent one is left where it hangs.
    if (!silent_) Post(nullptr);
  }

  // Runs `work` on the line's thread and returns its result or throws its failure; throws
  // Failure(kNoAnswer) when the server does not answer in time or was given up before.
  template <typename Work>
  auto Run(Work work) -> decltype(work()) {
    using Result = decltype(work());
    if (silent_) ThrowNoAnswer();
    // Already on the line (an object whose last reference goes there): no one to wait for.
    if (GetCurrentThreadId() == thread_id_) return work();
    auto outcome = std::make_shared<Outcome<Result>>();
    auto job = Post([work, outcome] {
      try {
        if constexpr (std::is_void_v<Result>) {
          work();
        } else {
          outcome->value = work();
        }
      } catch (const Failure& failure) {
        outcome->failure = failure;
      } catch (const std::exception& e) {
        outcome->failure = Failure(E_FAIL, e.what());
      } catch (...) {
        outcome->failure = Failure(E_UNEXPECTED, "The call failed");
      }
    });
    if (WaitForSingleObject(job->done.get(), answer_limit_ms_) != WAIT_OBJECT_0) {
      silent_ = true;
      ThrowNoAnswer();
    }
    if (outcome->failure) throw *outcome->failure;
    if constexpr (!std::is_void_v<Result>) return std::move(*outcome->value);
  }

  // Releases an interface on the line's thread, unless the server was given up.
  void Release(IDispatch* dispatch) {
    if (silent_ || !dispatch) return;
    try {
      Run([dispatch] { dispatch->Release(); });
    } catch (const Failure&) {
      // Given up: the reference stays with the server.
    }
  }

 private:
  template <typename T>
  struct Outcome {
    std::optional<std::conditional_t<std::is_void_v<T>, bool, T>> value;
    std::optional<Failure> failure;
  };
  struct Job {
    std::function<void()> work;  // empty: the line ends
    UniqueHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  };
  // What the caller and the line's thread share; the thread keeps it alive as long as it runs.
  struct Shared {
    CRITICAL_SECTION lock;
    std::deque<std::shared_ptr<Job>> jobs;
    UniqueHandle ready{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    Shared() { InitializeCriticalSection(&lock); }
    ~Shared() { DeleteCriticalSection(&lock); }
  };

  explicit ServerLine(DWORD answer_limit_ms) : answer_limit_ms_(answer_limit_ms) {}

  [[noreturn]] static void ThrowNoAnswer() {
    throw Failure(kNoAnswer, "The server did not answer");
  }

  std::shared_ptr<Job> Post(std::function<void()> work) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    EnterCriticalSection(&shared_->lock);
    shared_->jobs.push_back(job);
    LeaveCriticalSection(&shared_->lock);
    SetEvent(shared_->ready.get());
    return job;
  }

  static DWORD WINAPI Loop(void* parameter) {
    std::shared_ptr<Shared> shared = std::move(*static_cast<std::shared_ptr<Shared>*>(parameter));
    delete static_cast<std::shared_ptr<Shared>*>(parameter);
    ComApartment apartment;
    HANDLE ready = shared->ready.get();
    for (;;) {
      // An apartment's thread serves its messages while it waits.
      if (MsgWaitForMultipleObjects(1, &ready, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        continue;
      }
      for (;;) {
        EnterCriticalSection(&shared->lock);
        std::shared_ptr<Job> job;
        if (!shared->jobs.empty()) {
          job = shared->jobs.front();
          shared->jobs.pop_front();
        }
        LeaveCriticalSection(&shared->lock);
        if (!job) break;
        if (!job->work) return 0;
        job->work();
        SetEvent(job->done.get());
      }
    }
  }

  DWORD answer_limit_ms_;
  std::shared_ptr<Shared> shared_;
  DWORD thread_id_ = 0;
  std::atomic<bool> silent_ = false;
};

class Win32AutomationObject : public AutomationObject {
 public:
  // Takes over a reference to `dispatch`, which lives in `line`'s apartment.
  Win32AutomationObject(std::shared_ptr<ServerLine> line, IDispatch* dispatch)
      : line_(std::move(line)), dispatch_(dispatch) {}
  ~Win32AutomationObject() override { line_->Release(dispatch_); }
  Win32AutomationObject(const Win32AutomationObject&) = delete;
  Win32AutomationObject& operator=(const Win32AutomationObject&) = delete;

  IDispatch* dispatch() const { return dispatch_; }

  AutoValue Get(const std::string& name) override {
    return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {});
  }

  void Put(const std::string& name, const AutoValue& value) override {
    WORD flags = std::holds_alternative<AutomationRef>(value) ? DISPATCH_PROPERTYPUTREF
                                                              : DISPATCH_PROPERTYPUT;
    Invoke(name, flags, {value});
  }

  AutoValue Call(const std::string& name, const std::vector<AutoValue>& values) override {
    return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, values);
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

AutomationRef Win32Automation::Create(const std::string& class_name) {
  std::shared_ptr<ServerLine> line = ServerLine::Start(answer_limit_ms_);
  return line->Run([line, class_name] {
    CLSID clsid = ClassId(class_name);
    com::Ptr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, unknown.put_void());
    if (FAILED(hr)) com::Throw(hr);
    return Wrap(line, std::move(unknown));
  });
}

AutomationRef Win32Automation::FindRunning(const std::string& class_name) {
  try {
    std::shared_ptr<ServerLine> line = ServerLine::Start(answer_limit_ms_);
    return line->Run([line, class_name]() -> AutomationRef {
      CLSID clsid = ClassId(class_name);
      com::Ptr<IUnknown> unknown;
      if (FAILED(GetActiveObject(clsid, nullptr, unknown.put())) || !unknown) return nullptr;
      return Wrap(line, std::move(unknown));
    });
  } catch (const Failure&) {
    return nullptr;
  }
}

}  // namespace torvel
