#pragma once
// An in-memory registry with the behaviour of the three Win32 calls the tool makes: key paths
// and value names compare case-insensitively, a trailing backslash names the same key, values
// are typed raw bytes, and a query whose buffer is too small reports ERROR_MORE_DATA with the
// size needed. Any call can be made to fail with any code.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace torvel::testing {

enum class RegOp { kOpen, kQuery, kClose };

class FakeRegistry : public Registry {
 public:
  // Creates the key and its parents.
  void AddKey(RegKey root, const std::string& path);
  // Stores a value of any type with exactly these bytes; creates the key and its parents.
  void SetValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> bytes);
  // REG_SZ with its terminating NUL.
  void SetString(RegKey root, const std::string& path, const std::string& name,
                 const std::string& text);
  // REG_DWORD, four bytes little-endian.
  void SetDword(RegKey root, const std::string& path, const std::string& name, std::uint32_t value);

  // Every call of `op` returns `code` instead of doing its work. An empty `path` matches every
  // key (for a query, `path` is the path the key was opened with); an empty `value_name` matches
  // every value. A failed close still releases the handle.
  void Fail(RegOp op, long code, const std::string& path = "", const std::string& value_name = "");
  // The n-th call of any kind, counted from 1 over open, query and close together, returns
  // `code`.
  void FailNthCall(int n, long code);
  void ClearFaults();

  // Handles currently open.
  int open_keys() const { return static_cast<int>(handles_.size()); }
  int open_calls() const { return open_calls_; }
  int query_calls() const { return query_calls_; }
  int close_calls() const { return close_calls_; }
  int calls() const { return open_calls_ + query_calls_ + close_calls_; }
  // The paths of every open, as given, in call order.
  const std::vector<std::string>& open_log() const { return open_log_; }
  void ResetCounts();

  long OpenKey(RegKey root, const std::string& path, RegKey* key) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* size) override;
  long CloseKey(RegKey key) override;

 private:
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
  };
  struct Key {
    std::map<std::string, Value> values;  // by lower-cased name
  };
  struct Fault {
    RegOp op;
    long code;
    std::string path;        // normalised; empty: any
    std::string value_name;  // lower-cased; empty: any
  };
  struct OpenKeyInfo {
    RegKey root;
    std::string path;  // normalised
  };

  // Lower-cased, without a trailing backslash.
  static std::string Normalise(const std::string& path);
  static bool IsRoot(RegKey key);
  Key* Find(RegKey root, const std::string& normalised_path);
  long Injected(RegOp op, const std::string& path, const std::string& value_name);

  std::map<std::pair<RegKey, std::string>, Key> keys_;
  std::map<RegKey, OpenKeyInfo> handles_;
  std::vector<Fault> faults_;
  int fail_nth_call_ = 0;
  long fail_nth_code_ = 0;
  RegKey next_handle_ = 0x100;
  int open_calls_ = 0;
  int query_calls_ = 0;
  int close_calls_ = 0;
  std::vector<std::string> open_log_;
};

}  // namespace torvel::testing
