#pragma once
// Late-bound automation (COM IDispatch): create or find an object by class name, get and put
// properties and call methods by name. Every failure throws Failure (HRESULT and its text).
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace torvel {

class AutomationObject;
using AutomationRef = std::shared_ptr<AutomationObject>;
// The argument and result values the tool needs.
using AutoValue = std::variant<std::monostate, std::int32_t, double, std::string, bool, AutomationRef>;

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  virtual AutoValue Get(const std::string& name) = 0;
  virtual void Put(const std::string& name, const AutoValue& value) = 0;
  virtual AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // A new instance of the class; throws Failure when it cannot be created.
  virtual AutomationRef Create(const std::string& class_name) = 0;
  // The running instance registered for the class, or null when there is none.
  virtual AutomationRef FindRunning(const std::string& class_name) = 0;
};

}  // namespace torvel
