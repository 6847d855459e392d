#pragma once
// Scripted automation objects. A class is registered with a script that prepares every new
// instance; members answer from a table (Get and Call of a name answer alike), any member can
// be told to fail, and every call, the creations and the releases are recorded so that tests
// can check them after the code under test has let the objects go.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/failure.h"

namespace torvel::testing {

// HRESULTs the fakes use, as the system gives them.
inline constexpr long kInvalidClassString = static_cast<std::int32_t>(0x800401F3);
inline constexpr long kUnknownName = static_cast<std::int32_t>(0x80020006);
inline constexpr long kServerException = static_cast<std::int32_t>(0x80020009);

class FakeAutomationObject : public AutomationObject {
 public:
  enum class Kind { kGet, kPut, kCall };
  struct CallSeen {
    Kind kind;
    std::string name;
    std::vector<AutoValue> args;  // the value for a Put
  };
  // What outlives the object: its calls and whether it was released.
  struct Journal {
    std::vector<CallSeen> calls;
    bool released = false;
    int Count(const std::string& name) const;
    std::vector<std::string> Names() const;
  };
  using Method = std::function<AutoValue(const std::vector<AutoValue>& args)>;

  FakeAutomationObject() : journal_(std::make_shared<Journal>()) {}
  ~FakeAutomationObject() override { journal_->released = true; }

  // Get and Call of `name` return `value`; Put of `name` replaces it.
  FakeAutomationObject& Returns(const std::string& name, AutoValue value);
  // Call (and Get) of `name` runs `method`.
  FakeAutomationObject& On(const std::string& name, Method method);
  // Every use of `name` throws `failure`.
  FakeAutomationObject& Fails(const std::string& name, Failure failure);

  const std::shared_ptr<Journal>& journal() const { return journal_; }
  // The value last put or scripted for `name`, if any.
  std::optional<AutoValue> Value(const std::string& name) const;

  AutoValue Get(const std::string& name) override;
  void Put(const std::string& name, const AutoValue& value) override;
  AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) override;

 private:
  AutoValue Answer(const std::string& name, const std::vector<AutoValue>& args);

  std::shared_ptr<Journal> journal_;
  std::map<std::string, AutoValue> values_;
  std::map<std::string, Method> methods_;
  std::map<std::string, Failure> failures_;
};

// With no class registered, every creation fails as on a machine without the server.
class FakeAutomation : public Automation {
 public:
  using Script = std::function<void(FakeAutomationObject&)>;

  // Each Create of `class_name` makes a new object and runs `script` on it.
  void AddClass(const std::string& class_name, Script script);
  // Create of `class_name` throws `failure` (the class stays registered).
  void FailCreate(const std::string& class_name, Failure failure);
  // FindRunning of `class_name` returns `object` (held, as the running object table does).
  void SetRunning(const std::string& class_name, std::shared_ptr<FakeAutomationObject> object);

  // Journals of the objects created, in order of creation.
  const std::vector<std::shared_ptr<FakeAutomationObject::Journal>>& created() const {
    return created_;
  }
  int create_attempts() const { return create_attempts_; }
  int find_attempts() const { return find_attempts_; }
  // Created objects that have been released.
  int released() const;

  AutomationRef Create(const std::string& class_name) override;
  AutomationRef FindRunning(const std::string& class_name) override;

 private:
  std::map<std::string, Script> classes_;
  std::map<std::string, Failure> create_failures_;
  std::map<std::string, std::shared_ptr<FakeAutomationObject>> running_;
  std::vector<std::shared_ptr<FakeAutomationObject::Journal>> created_;
  int create_attempts_ = 0;
  int find_attempts_ = 0;
};

}  // namespace torvel::testing
