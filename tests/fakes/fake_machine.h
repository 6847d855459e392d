#pragma once
// The fake machine: all nine platform services in one object, in memory. It starts populated
// (the registry of tests/fixtures/machine.reg and the facts below), so that its report is
// tests/expected/full_report.htm. One fault hook makes one operation misbehave.
#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/platform.h"
#include "report/text_forms.h"

namespace torvel::testing {

inline constexpr char kReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";
inline constexpr std::uint32_t kBig = 65536;

// How the failing operation answers: an error status, a thrown Failure (51 "Internal error"),
// an empty or an oversized answer. Every operation can throw; the other modes apply where they
// mean something, elsewhere the operation answers as usual.
enum class Mode { kNone, kStatus, kThrow, kEmpty, kOversized };
using enum Mode;

inline std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct Machine : Registry, SystemInfo, Identity, Network, Files, Shell, Dialogs, Automation, Clock {
  // Reads the fixture as `reg import` does: keys, strings and dword: values of REGEDIT4 text.
  explicit Machine(bool populated = true) {
    std::ifstream file(TORVEL_SOURCE_DIR "/tests/fixtures/machine.reg");
    std::string line, key;
    for (RegKey root = 0; populated && std::getline(file, line);) {
      const std::size_t cut = (line = line.substr(0, line.find('\r'))).find("\"=");
      const std::string name = Unquote(line.substr(0, cut + 1)),
                        data = line.substr(std::min(cut + 2, line.size()));
      if (line.starts_with("["))
        key = line.substr(line.find('\\') + 1, line.size() - line.find('\\') - 2);
      if (line.starts_with("["))
        root = line.starts_with("[HKEY_CURRENT_USER") ? kHkeyCurrentUser : kHkeyLocalMachine;
      const auto n = data.starts_with("dword:") ? std::stoul(data.substr(6), nullptr, 16) : 0;
      if (data.starts_with("dword:"))
        SetValue(root, key, name, kRegDword, {char(n), char(n >> 8), char(n >> 16), char(n >> 24)});
      if (data.starts_with("\"")) SetValue(root, key, name, kRegSz, Unquote(data) + '\0');
    }
  }
  Platform platform() { return {*this, *this, *this, *this, *this, *this, *this, *this, *this}; }
  // A key and its values are one entry each; a key exists when an entry lies at or below it.
  void SetValue(RegKey root, const std::string& key, const std::string& name, std::uint32_t type,
                std::string bytes) {
    values[Id(root, key) + "\\\n" + Lower(name)] = {type, bytes};
  }
  void AddKey(RegKey root, const std::string& key) { values[Id(root, key) + "\\"] = {}; }
  Mode At(const std::string& op) {  // the fault hook, asked first by every operation
    if (op != fail.first) return kNone;
    if (++hits, fail.second == kThrow) throw Failure(51, "Internal error");
    return fail.second;
  }

  std::pair<std::string, Mode> fail;  // an operation, or a member of an automation object
  int hits = 0;                       // calls of the failing operation
  std::vector<std::string> log;       // boxes, questions, reports written, programs, automation
  std::vector<std::string> opened;    // key paths, in order
  std::map<std::string, std::pair<std::uint32_t, std::string>> values;  // type and bytes
  std::map<std::string, std::pair<std::string, std::uint32_t>> files;   // content, attributes
  std::map<RegKey, std::string> handles;
  std::deque<Answer> answers;              // to Yes/No questions; No when none is left
  int busy = 0, sockets = 0, objects = 0;  // started and not yet ended
  bool host_installed = true, start_ok = true;

  long OpenKey(RegKey root, const std::string& path, RegKey* key) override {
    auto found = values.lower_bound(Id(root, path) + "\\");
    if (opened.push_back(path), At("OpenKey") == kStatus) return 5;
    if (found == values.end() || !found->first.starts_with(Id(root, path) + "\\")) return 2;
    return handles[*key = 0x100 + static_cast<RegKey>(opened.size())] = Id(root, path), 0;
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    const Mode mode = At("QueryValue");
    auto found = values.find(handles.at(key) + "\\\n" + Lower(name));
    if (mode == kStatus || found == values.end()) return mode == kStatus ? 5 : 2;
    const std::string bytes =
        mode == kOversized ? std::string(kBig, 'W') + '\0' : found->second.second;
    if (*type = found->second.first, *size < bytes.size()) return *size = bytes.size(), 234;
    // An oversized answer also claims more bytes than it handed over.
    return std::copy(bytes.begin(), bytes.end(), data),
           *size = bytes.size() * (mode == kOversized ? 2 : 1), 0;
  }
  long CloseKey(RegKey key) override {  // the handle goes whatever the call answers
    return handles.erase(key) == 0 ? 6 : At("CloseKey") == kStatus ? 5 : 0;
  }

  OsVersionRecord Version() override {
    return At("Version"), OsVersionRecord{6, 1, 7601, 2, {"Service Pack 1"}};
  }
  ProcessorRecord Processor() override { return At("Processor"), ProcessorRecord{8664, 8}; }
  MemoryRecord Memory() override {
    return At("Memory"), MemoryRecord{16ull << 30, 6442975232ull, 24ull << 30};
  }
  bool DiskSpace(const std::string& root, std::uint64_t* total, std::uint64_t* free) override {
    *total = 2000396746752ull, *free = 733176086528ull;  // a failed query may leave them so
    return At("DiskSpace") != kStatus && root == "C:\\";
  }
  ScreenMetrics Screen() override { return {28800, 16200, 15, 15}; }
  int DeviceCaps(int index) override { return index == kCapsPlanes ? 1 : 24; }
  std::string DateText() override { return At("DateText"), "3/14/2026"; }
  std::string TimeText() override { return At("TimeText"), "9:26:53 AM"; }
  // As the A-functions do: the user name's size counts its NUL, the computer name's does not;
  // a failed call leaves the buffer, an oversized answer claims a size far beyond it.
  bool UserNameInto(char* buffer, std::uint32_t* size) override {
    return Name("UserNameInto", "j.smith", 1, buffer, size);
  }
  bool ComputerNameInto(char* buffer, std::uint32_t* size) override {
    return Name("ComputerNameInto", "DESIGN-07", 0, buffer, size);
  }
  std::uint32_t TempPathInto(std::uint32_t length, char* buffer) override {
    return Name("TempPathInto", "C:\\Users\\j.smith\\AppData\\Local\\Temp\\", 0, buffer, &length) ||
                   length == kBig
               ? length
               : 0;
  }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    if (At("EnvironmentVariable") == kEmpty) return std::nullopt;
    return name == "TORVELK" ? "27000@licence-server"
                             : "C:\\Windows\\system32;C:\\Windows;C:\\Program Files (x86)\\R&D "
                               "Tools\\bin;C:\\Program Files\\TORVEL";
  }

  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t) override {
    if (At("NetbiosAdapterAddress") == kStatus) return std::nullopt;
    return HardwareAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  }
  std::optional<HardwareAddress> FirstEthernetAddress() override { return {{0, 26, 43, 60, 77, 95}}; }
  int SocketsStart(SocketsStartup* startup) override {
    const Mode mode = At("SocketsStart");
    *startup = mode == kEmpty ? SocketsStartup{} : SocketsStartup{0x0101, 32767};
    return mode == kStatus ? 10091 : (++sockets, 0);
  }
  int SocketsCleanup() override { return --sockets, At("SocketsCleanup"), 0; }  // ended even so
  int HostName(std::string* name) override {
    return At("HostName") == kStatus ? -1 : (*name = "DESIGN-07", 0);
  }
  int LastSocketsError() override { return 10093; }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) override {
    if (At("FirstHostAddress") == kStatus || host != "DESIGN-07") return std::nullopt;
    return std::vector<std::uint8_t>{192, 168, 10, 27};
  }

  std::string ExeFolder() override { return At("ExeFolder"), "C:\\Program Files\\TORVEL"; }
  long Attributes(const std::string& path, std::uint32_t* attributes) override {
    if (At("Attributes") == kOversized) return *attributes = ~0u, 0;
    return files.count(path) ? (*attributes = files[path].second, 0) : 2;
  }
  long WriteWhole(const std::string& path, std::string_view bytes) override {
    return At("WriteWhole") == kStatus ? 5 : (files[path] = {std::string(bytes), 0}, 0);
  }
  long MoveReplacing(const std::string& from, const std::string& to) override {
    if (At("MoveReplacing") == kStatus || !files.count(from)) return 5;
    return files[to] = files[from], files.erase(from), log.push_back("wrote " + to), 0;
  }
  long Remove(const std::string& path) override { return files.erase(path) ? 0 : 2; }
  std::string ErrorText(long code) override { return "Error text " + std::to_string(code) + "."; }

  std::intptr_t Execute(WindowRef owner, const std::string& operation, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override {
    log.push_back("open " + std::to_string(owner) + ", " + operation + ", " + file + ", " +
                  parameters + ", " + directory + ", " + std::to_string(show));
    return At("Execute"), 42;
  }
  bool StartProgram(const std::string& path) override {
    return log.push_back("start " + path), start_ok;
  }
  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override {
    log.push_back((buttons == Buttons::kOk ? "box " : "ask ") + title + ": " + text);
    if (buttons == Buttons::kOk) return Answer::kOk;
    if (answers.empty()) return Answer::kNo;
    const Answer answer = answers.front();
    return answers.pop_front(), answer;
  }
  void SetBusy(bool on) override { busy += on ? 1 : -1; }
  AutomationRef Create(const std::string& class_name) override;
  // An oversized answer: the host is already running.
  AutomationRef FindRunning(const std::string&) override {
    return At("FindRunning") == kOversized ? Host() : nullptr;
  }
  std::uint64_t TickCount() override {
    return At("TickCount") == kOversized ? ~0ull : 5'000'000'000ull;
  }

 private:
  static std::string Id(RegKey root, const std::string& key) {  // in any letter case, "\" or not
    return Lower(std::to_string(root) + "\\" + key.substr(0, key.find_last_not_of('\\') + 1));
  }
  static std::string Unquote(const std::string& text) {  // a .reg text without quotes, escapes
    std::string out;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) out += text[i] == '\\' ? text[++i] : text[i];
    return out;
  }
  bool Name(const char* op, const std::string& name, std::uint32_t nul, char* buffer,
            std::uint32_t* size) {
    const Mode mode = At(op);
    if (mode == kOversized) return *size = kBig, false;
    if (mode == kStatus || name.size() >= *size) return false;
    return std::copy(name.c_str(), name.c_str() + name.size() + 1, buffer),
           *size = name.size() + nul, true;
  }
  AutomationRef Host();
};

// An automation object that answers its members from a table and logs every use.
struct FakeObject : AutomationObject {
  FakeObject(Machine& m, std::map<std::string, AutoValue> members) : m(m), members(members) {
    ++m.objects;
  }
  ~FakeObject() override { --m.objects; }
  AutoValue Get(const std::string& name) override { return Member("get " + name, name); }
  void Put(const std::string& name, const AutoValue& value) override {
    Member("put " + name + "=" + Text(value), name);
  }
  AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) override {
    return Member("call " + name + "(" + (args.empty() ? "" : Text(args[0])) + ")", name);
  }
  static std::string Text(const AutoValue& value) {
    if (auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "";
  }
  AutoValue Member(const std::string& entry, const std::string& name) {
    if (m.log.push_back(entry), m.At(name) == kEmpty) return {};
    if (!members.count(name)) throw Failure(static_cast<std::int32_t>(0x80020006), "Unknown name.");
    return members[name];
  }
  Machine& m;
  std::map<std::string, AutoValue> members;
};

inline AutomationRef Machine::Host() {
  return std::make_shared<FakeObject>(
      *this, std::map<std::string, AutoValue>{{"DateCode", std::int32_t{20060315}},
                                              {"RevisionNumber", std::string("14.0.1102")},
                                              {"ExitApp", {}}});
}

inline AutomationRef Machine::Create(const std::string& class_name) {
  using Members = std::map<std::string, AutoValue>;
  if (At("Create") == kEmpty) return nullptr;
  if (class_name == "Partwright.Application" && host_installed)
    return log.push_back("create " + class_name), Host();
  if (class_name != "Outlook.Application")
    throw Failure(static_cast<std::int32_t>(0x800401F3), "Invalid class string");
  const AutoValue attachments = std::make_shared<FakeObject>(*this, Members{{"Add", {}}});
  const AutoValue item = std::make_shared<FakeObject>(
      *this,
      Members{
          {"To", {}}, {"Subject", {}}, {"Body", {}}, {"Send", {}}, {"Attachments", attachments}});
  return log.push_back("create " + class_name),
         std::make_shared<FakeObject>(*this, Members{{"CreateItem", item}});
}

// The lines of tests/expected/full_report.htm without their CR LF, and lines joined again.
inline std::vector<std::string> ExpectedLines() {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.htm", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}
inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The parts of a text with "|" between them; none of the empty text.
inline std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  for (std::size_t at = 0, end = 0; end != std::string::npos && !text.empty(); at = end + 1)
    parts.push_back(text.substr(at, (end = text.find('|', at)) - at));
  return parts;
}

// Every string value of the registry fixture, as the report shows it, read as `read` instead.
inline void ReadValuesAs(const std::string& read, std::vector<std::string>::iterator first,
                         std::vector<std::string>::iterator last) {
  std::vector<std::string> shown;
  for (const auto& [id, value] : Machine().values) {
    if (value.first == kRegSz)
      shown.push_back(EscapeHtml(value.second.substr(0, value.second.size() - 1)));
  }
  // Longest first, so that no value is taken for a part of a longer one.
  std::sort(shown.begin(), shown.end(), [](auto& a, auto& b) { return a.size() > b.size(); });
  for (; first != last; ++first) {
    for (const std::string& text : shown) {
      for (std::size_t at; (at = first->find(text)) != std::string::npos;)
        first->replace(at, text.size(), read);
    }
  }
}

}  // namespace torvel::testing
