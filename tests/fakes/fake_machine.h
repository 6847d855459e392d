#pragma once
// The fake machine: the nine platform services in one object, populated (tests/fixtures/machine.reg
// and the facts below) so that its report is tests/expected/full_report.htm; one fault hook.
#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/platform.h"
#include "text/text_forms.h"

namespace torvel::testing {

inline constexpr char kReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";
inline constexpr std::uint32_t kBig = 65536;

// How the failing operation answers: an error status, a thrown Failure (51 "Internal error"), an
// empty or an oversized answer; an automation member that gets no answer (every time) or whose
// server has gone (the first time). Other modes apply only where they mean much.
enum class Mode { kNone, kStatus, kThrow, kEmpty, kOversized, kSilent, kClosed };
using enum Mode;

struct Services : Registry, SystemFacts, Identity, Network, Files, Shell, Dialogs, Automation {};

// Host, mail client, mail item and attachments are all the machine; `objects` counts references.
struct Machine : Services, Clock, AutomationObject {
  using Str = const std::string&;
  using U32 = std::uint32_t;
  // Reads the fixture as `reg import` does: keys, strings and dword: values of REGEDIT4 text.
  explicit Machine(bool populated = true) {
    std::ifstream file(TORVEL_SOURCE_DIR "/tests/fixtures/machine.reg");
    std::string line, key;
    for (RegKey root = 0; populated && std::getline(file, line);) {
      const std::size_t cut = (line = line.substr(0, line.find('\r'))).find("\"=");
      const std::string name = Unquote(line.substr(0, cut + 1)),
                        data = line.substr(std::min(cut + 2, line.size()));
      if (line.starts_with("["))
        root = line.starts_with("[HKEY_CURRENT_USER") ? kHkeyCurrentUser : kHkeyLocalMachine;
      if (line.starts_with("["))
        key = line.substr(line.find('\\') + 1, line.find(']') - line.find('\\') - 1);
      const auto n = data.starts_with("dword:") ? std::stoul(data.substr(6), nullptr, 16) : 0;
      if (data.starts_with("dword:"))
        SetValue(root, key, name, kRegDword, {char(n), char(n >> 8), char(n >> 16), char(n >> 24)});
      if (data.starts_with("\"")) SetValue(root, key, name, kRegSz, Unquote(data) + '\0');
    }
  }
  Platform platform() { return {*this, *this, *this, *this, *this, *this, *this, *this, *this}; }
  // A key exists when an entry lies at or below it; paths and names compare in any letter case.
  void SetValue(RegKey root, Str key, Str name, U32 type, std::string bytes) {
    values[Id(root, key) + "\\\n" + Id(0, name)] = {type, bytes};
  }
  void AddKey(RegKey root, Str key) { values[Id(root, key) + "\\"] = {}; }
  Mode At(Str op) {  // the fault hook, asked first by every operation
    if (op != fail.first) return kNone;
    if (++hits, fail.second == kThrow) throw Failure(51, "Internal error");
    if (fail.second == kSilent) throw Failure(kNoAnswer, "The server did not answer");
    if (fail.second == kClosed && hits == 1) throw Failure(kDisconnected, "Disconnected");
    return fail.second;
  }

  std::pair<std::string, Mode> fail;  // an operation, or a member of an automation object
  int hits = 0;                       // calls of the failing operation
  std::vector<std::string> log;       // boxes, questions, reports written, programs, automation
  std::vector<std::string> opened;    // key paths, in order
  std::map<std::string, std::pair<U32, std::string>> values;  // type and bytes
  std::map<std::string, std::pair<std::string, U32>> files;   // content, attributes
  std::map<RegKey, std::string> handles;
  std::deque<Answer> answers;              // to Yes/No questions; No when none is left
  int busy = 0, sockets = 0, objects = 0;  // started and not yet ended
  bool host_installed = true, start_ok = true;

  long OpenKey(RegKey root, Str path, RegKey* key) override {
    auto found = values.lower_bound(Id(root, path) + "\\");
    if (opened.push_back(path), At("OpenKey") == kStatus) return 5;
    if (found == values.end() || !found->first.starts_with(Id(root, path) + "\\")) return 2;
    return handles[*key = 0x100 + RegKey(opened.size())] = Id(root, path), 0;
  }
  long QueryValue(RegKey key, Str name, U32* type, std::uint8_t* data, U32* size) override {
    const Mode mode = At("QueryValue");
    auto found = values.find(handles.at(key) + "\\\n" + Id(0, name));
    if (mode == kStatus || found == values.end()) return mode == kStatus ? 5 : 2;
    const std::string bytes =
        mode == kOversized ? std::string(kBig, 'W') + '\0' : found->second.second;
    if (*type = found->second.first, *size < bytes.size()) return *size = bytes.size(), 234;
    // An oversized answer also claims more bytes than it handed over.
    return std::copy(bytes.begin(), bytes.end(), data),
           *size = bytes.size() * (mode == kOversized ? 2 : 1), 0;
  }
  long CloseKey(RegKey key) override { return handles.erase(key) ? At("CloseKey"), 0 : 6; }

  OsVersionRecord Version() override {
    return At("Version"), OsVersionRecord{6, 1, 7601, 2, {"Service Pack 1"}};
  }
  ProcessorRecord Processor() override { return At("Processor"), ProcessorRecord{8664, 8}; }
  MemoryRecord Memory() override {
    return At("Memory"), MemoryRecord{16ull << 30, 6442975232, 24ull << 30};
  }
  bool DiskSpace(Str root, std::uint64_t* total, std::uint64_t* free) override {
    return At("DiskSpace"), *total = 2000396746752, *free = 733176086528, root == "C:\\";
  }
  ScreenMetrics Screen() override { return {28800, 16200, 15, 15}; }
  int DeviceCaps(int index) override { return index == kCapsPlanes ? 1 : 24; }
  std::string DateText() override { return At("DateText"), "3/14/2026"; }
  std::string TimeText() override { return At("TimeText"), "9:26:53 AM"; }
  // The user name's size counts its NUL, the computer name's not; a failure leaves the buffer.
  bool UserNameInto(char* to, U32* size) override {
    return Name("UserNameInto", "j.smith", 1, to, size);
  }
  bool ComputerNameInto(char* to, U32* size) override {
    return Name("ComputerNameInto", "DESIGN-07", 0, to, size);
  }
  U32 TempPathInto(U32 length, char* to) override {
    const bool named =
        Name("TempPathInto", "C:\\Users\\j.smith\\AppData\\Local\\Temp\\", 0, to, &length);
    return named || length == kBig ? length : 0;
  }
  std::optional<std::string> EnvironmentVariable(Str name) override {
    if (At("EnvironmentVariable") == kEmpty) return std::nullopt;
    if (name == "TORVELK") return "27000@licence-server";
    return "C:\\Windows\\system32;C:\\Windows;C:\\Program Files (x86)\\R&D Tools\\bin;C:\\Program "
           "Files\\TORVEL";
  }

  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t) override {
    if (At("NetbiosAdapterAddress") == kStatus) return std::nullopt;
    return HardwareAddress{0, 26, 43, 60, 77, 94};
  }
  std::optional<HardwareAddress> FirstEthernetAddress() override {
    return {{0, 26, 43, 60, 77, 95}};
  }
  int SocketsStart(SocketsStartup* startup) override {
    return At("SocketsStart") == kStatus ? 10091 : (*startup = {0x0101, 32767}, ++sockets, 0);
  }
  int SocketsCleanup() override { return --sockets, At("SocketsCleanup"), 0; }  // ended even so
  int HostName(std::string* name) override { return At("HostName"), *name = "DESIGN-07", 0; }
  int LastSocketsError() override { return 10093; }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(Str host) override {
    if (At("FirstHostAddress") == kStatus || host != "DESIGN-07") return std::nullopt;
    return std::vector<std::uint8_t>{192, 168, 10, 27};
  }

  std::string ExeFolder() override { return At("ExeFolder"), "C:\\Program Files\\TORVEL"; }
  long Attributes(Str path, U32* attributes) override {
    if (At("Attributes") == kOversized) return *attributes = ~kAttrDirectory, 0;  // read-only
    return files.count(path) ? (*attributes = files[path].second, 0) : 2;
  }
  long WriteWhole(Str path, std::string_view bytes) override {
    return At("WriteWhole") == kStatus ? 5 : (files[path] = {std::string(bytes), 0}, 0);
  }
  long MoveReplacing(Str from, Str to) override {
    if (At("MoveReplacing") == kStatus || !files.count(from)) return 5;
    return files[to] = files[from], files.erase(from), log.push_back("wrote " + to), 0;
  }
  long Remove(Str path) override { return files.erase(path) ? 0 : 2; }
  std::string ErrorText(long code) override { return "Error text " + std::to_string(code) + "."; }
  std::uint32_t ProcessId() override { return 4242; }

  std::intptr_t Execute(WindowRef owner, Str operation, Str file, Str parameters, Str directory,
                        int show) override {
    log.push_back("open " + std::to_string(owner) + ", " + operation + ", " + file + ", " +
                  parameters + ", " + directory + ", " + std::to_string(show));
    return At("Execute"), 42;
  }
  bool StartProgram(Str path) override { return log.push_back("start " + path), start_ok; }
  Answer Show(Str text, Str title, Buttons buttons) override {
    log.push_back((buttons == Buttons::kOk ? "box " : "ask ") + title + ": " + text);
    if (buttons == Buttons::kOk) return Answer::kOk;
    const Answer answer = answers.empty() ? Answer::kNo : answers.front();
    return answers.empty() ? void() : answers.pop_front(), answer;
  }
  void SetBusy(bool on) override { busy += on ? 1 : -1; }
  AutomationRef Create(Str name) override {
    if (At("Create") == kEmpty) return nullptr;
    if (name != "Outlook.Application" && (name != "Partwright.Application" || !host_installed))
      throw Failure(static_cast<std::int32_t>(0x800401F3), "Invalid class string");
    return log.push_back("create " + name), Object();
  }
  // An oversized answer: the host is already running.
  AutomationRef FindRunning(Str) override {
    return At("FindRunning") == kOversized ? Object() : nullptr;
  }
  std::uint64_t TickCount() override { return At("TickCount") == kOversized ? ~0ull : 5000000000; }

  AutoValue Get(Str name) override { return Member("get " + name, name); }
  void Put(Str name, const AutoValue& value) override {
    Member("put " + name + "=" + Text(value), name);
  }
  AutoValue Call(Str name, const std::vector<AutoValue>& args) override {
    return Member("call " + name + "(" + (args.empty() ? "" : Text(args[0])) + ")", name);
  }

 private:
  static std::string Id(RegKey root, Str key) {  // in any letter case, "\" or not
    std::string id = std::to_string(root) + "\\" + key.substr(0, key.find_last_not_of('\\') + 1);
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
  }
  static std::string Unquote(Str text) {  // a .reg text without quotes, escapes
    std::string out;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) out += text[i] == '\\' ? text[++i] : text[i];
    return out;
  }
  static std::string Text(const AutoValue& value) {
    if (auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "";
  }
  bool Name(const char* op, Str name, U32 nul, char* to, U32* size) {
    const Mode mode = At(op);
    if (mode == kOversized) return *size = kBig, false;
    if (mode == kStatus || name.size() >= *size) return false;
    return std::copy(name.c_str(), name.c_str() + name.size() + 1, to), *size = name.size() + nul,
                                                                        true;
  }
  AutomationRef Object() {  // a counted reference to the machine as an automation object
    return ++objects,
           AutomationRef(std::shared_ptr<void>(nullptr, [this](void*) { --objects; }), this);
  }
  AutoValue Member(Str entry, Str name) {
    // A server that did not answer is given up, as the automation service does: no call reaches it.
    if (hits > 0 && fail.second == kSilent) throw Failure(kNoAnswer, "The server did not answer");
    if (log.push_back(entry), At(name), name == "DateCode") return std::int32_t{20060315};
    if (name == "RevisionNumber") return std::string("14.0.1102");
    return name == "CreateItem" || name == "Attachments" ? AutoValue(Object()) : AutoValue();
  }
};

// The parts of a text with `separator` between them; none of the empty text.
inline std::vector<std::string> Split(const std::string& text, const std::string& separator = "|") {
  std::vector<std::string> parts;
  for (std::size_t at = 0, end = 0; end != std::string::npos && !text.empty();
       at = end + separator.size())
    parts.push_back(text.substr(at, (end = text.find(separator, at)) - at));
  return parts;
}

// The lines of tests/expected/full_report.htm without their CR LF, and lines joined again.
inline std::vector<std::string> ExpectedLines() {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.htm", std::ios::binary);
  std::vector<std::string> lines = Split({std::istreambuf_iterator<char>(file), {}}, "\r\n");
  if (!lines.empty()) lines.pop_back();  // what follows the last line end: nothing
  return lines;
}
inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
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
