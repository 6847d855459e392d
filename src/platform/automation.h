#pragma once
// Late-bound automation: create or find an object by class name (ProgID), get and put
// properties and call methods by name. A failure answers with its code (the HRESULT) and its
// text: the server's own exception text when it gave one, else the system's text for the code.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/result.h"

namespace torvel {

class AutomationObject;
// An object is released when its last reference goes.
using AutomationRef = std::shared_ptr<AutomationObject>;
// The argument and result values the tool needs. Text is UTF-8; a result
// without a value (VT_EMPTY, VT_NULL) is std::monostate.
using AutoValue =
    std::variant<std::monostate, std::int32_t, double, std::string, bool, AutomationRef>;

// The HRESULTs the tool tells apart: a call that got no answer in time (RPC_E_TIMEOUT), calls
// rejected until the server was given up (RPC_E_CALL_REJECTED), a class
// that is not installed (CO_E_CLASSSTRING, REGDB_E_CLASSNOTREG) and a server that has gone
// (RPC_E_DISCONNECTED, RPC_S_SERVER_UNAVAILABLE).
inline constexpr long kNoAnswer = static_cast<std::int32_t>(0x8001011F);
inline constexpr long kCallRejected = static_cast<std::int32_t>(0x80010001);
inline constexpr long kInvalidClassString = static_cast<std::int32_t>(0x800401F3);
inline constexpr long kClassNotRegistered = static_cast<std::int32_t>(0x80040154);
inline constexpr long kDisconnected = static_cast<std::int32_t>(0x80010108);
inline constexpr long kServerUnavailable = static_cast<std::int32_t>(0x800706BA);

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  // Property get.
  virtual Result<AutoValue> Get(const std::string& name) = 0;
  // Property put (by reference for an object value).
  virtual Status Put(const std::string& name, const AutoValue& value) = 0;
  // Method call with the arguments in their natural order; {} for none.
  virtual Result<AutoValue> Call(const std::string& name, const std::vector<AutoValue>& args) = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // A new instance of the class, or why not (class not registered, server refused or failed to
  // start); never a null one.
  virtual Result<AutomationRef> Create(const std::string& class_name) = 0;
  // The instance of the class that is already running and registered as active, or null when
  // there is none (or it cannot be reached).
  virtual AutomationRef FindRunning(const std::string& class_name) = 0;
};

}  // namespace torvel
