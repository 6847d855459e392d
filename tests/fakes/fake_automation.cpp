#include "fakes/fake_automation.h"

#include <algorithm>

namespace torvel::testing {

int FakeAutomationObject::Journal::Count(const std::string& name) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const CallSeen& call) { return call.name == name; }));
}

std::vector<std::string> FakeAutomationObject::Journal::Names() const {
  std::vector<std::string> names;
  for (const CallSeen& call : calls) names.push_back(call.name);
  return names;
}

FakeAutomationObject& FakeAutomationObject::Returns(const std::string& name, AutoValue value) {
  values_[name] = std::move(value);
  return *this;
}

FakeAutomationObject& FakeAutomationObject::On(const std::string& name, Method method) {
  methods_[name] = std::move(method);
  return *this;
}

FakeAutomationObject& FakeAutomationObject::Fails(const std::string& name, Failure failure) {
  failures_.insert_or_assign(name, std::move(failure));
  return *this;
}

std::optional<AutoValue> FakeAutomationObject::Value(const std::string& name) const {
  auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

AutoValue FakeAutomationObject::Answer(const std::string& name,
                                       const std::vector<AutoValue>& args) {
  if (auto failure = failures_.find(name); failure != failures_.end()) throw failure->second;
  if (auto method = methods_.find(name); method != methods_.end()) return method->second(args);
  if (auto value = values_.find(name); value != values_.end()) return value->second;
  throw Failure(kUnknownName, "Unknown name.");
}

AutoValue FakeAutomationObject::Get(const std::string& name) {
  journal_->calls.push_back({Kind::kGet, name, {}});
  return Answer(name, {});
}

void FakeAutomationObject::Put(const std::string& name, const AutoValue& value) {
  journal_->calls.push_back({Kind::kPut, name, {value}});
  if (auto failure = failures_.find(name); failure != failures_.end()) throw failure->second;
  values_[name] = value;
}

AutoValue FakeAutomationObject::Call(const std::string& name, const std::vector<AutoValue>& args) {
  journal_->calls.push_back({Kind::kCall, name, args});
  return Answer(name, args);
}

void FakeAutomation::AddClass(const std::string& class_name, Script script) {
  classes_[class_name] = std::move(script);
}

void FakeAutomation::FailCreate(const std::string& class_name, Failure failure) {
  create_failures_.insert_or_assign(class_name, std::move(failure));
}

void FakeAutomation::SetRunning(const std::string& class_name,
                                std::shared_ptr<FakeAutomationObject> object) {
  running_[class_name] = std::move(object);
}

int FakeAutomation::released() const {
  return static_cast<int>(
      std::count_if(created_.begin(), created_.end(), [](const auto& j) { return j->released; }));
}

AutomationRef FakeAutomation::Create(const std::string& class_name) {
  ++create_attempts_;
  if (auto failure = create_failures_.find(class_name); failure != create_failures_.end()) {
    throw failure->second;
  }
  auto script = classes_.find(class_name);
  if (script == classes_.end()) throw Failure(kInvalidClassString, "Invalid class string");
  auto object = std::make_shared<FakeAutomationObject>();
  script->second(*object);
  created_.push_back(object->journal());
  return object;
}

AutomationRef FakeAutomation::FindRunning(const std::string& class_name) {
  ++find_attempts_;
  auto found = running_.find(class_name);
  return found == running_.end() ? nullptr : found->second;
}

}  // namespace torvel::testing
