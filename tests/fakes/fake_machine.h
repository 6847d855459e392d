#pragma once
// A small fake for each platform service, all sharing one failure injector and one log, and the
// fake machine that holds them all, populated (tests/fixtures/machine.reg and the facts below) so
// that its report is tests/expected/full_report.htm.
#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/shell.h"
#include "platform/simple_mail.h"
#include "report/collect_facts.h"

namespace torvel::testing {

inline constexpr char kReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";
inline constexpr std::uint32_t kBig = 65536;
inline constexpr RegRoot kHkcu = RegRoot::kCurrentUser, kHklm = RegRoot::kLocalMachine;

// What can be made to fail: the services' operations, then the automation members asked for.
// clang-format off
enum class Op {
  kOpenKey, kQueryValue,
  kVersion, kProcessor, kMemory, kDiskSpace, kDateText, kTimeText,
  kUserName, kComputerName, kTempPath, kEnvironmentVariable,
  kNetbiosAdapterAddress, kSocketsStart, kSocketsCleanup, kHostName, kFirstHostAddress,
  kExeFolder, kAttributes, kCreateNew, kWriteAll, kPlace,
  kExecute, kCreate, kFindRunning, kTickCount,
  kExitApp, kDateCode, kRevisionNumber, kCreateItem, kTo, kAdd, kSend
};
// clang-format on

// How the failing operation answers: an error status, a thrown Failure (51 "Internal error"), an
// empty or an oversized answer; an automation call rejected (a busy server), one that gets no
// answer (every time) or whose server has gone (the first time). Other modes apply only where
// they mean much.
enum class Mode { kNone, kStatus, kThrow, kEmpty, kOversized, kRejected, kSilent, kClosed };
using enum Mode;

struct Fault {
  Op op = Op::kOpenKey;
  Mode mode = kNone;  // kNone: nothing fails
};

// What every fake shares: the failure injector, keyed by the operation that fails, and the log of
// what the machine showed and did (boxes, questions, steps, reports written, programs, automation).
struct FakeBase {
  Fault fail;
  int hits = 0;  // calls of the failing operation
  // What a Create failing with a status (the class is not installed) or a closed member throws.
  long code = kInvalidClassString;
  std::vector<std::string> log;

  Mode At(Op op) {  // the fault hook, asked first by every operation that can fail
    if (op != fail.op || fail.mode == kNone) return kNone;
    ++hits;
    if (fail.mode == kThrow) throw Failure(51, "Internal error");
    if (fail.mode == kRejected) throw Failure(kCallRejected, "Call was rejected by callee");
    if (fail.mode == kSilent) throw Failure(kNoAnswer, "The server did not answer");
    if (fail.mode == kClosed && hits == 1) throw Failure(code, "Disconnected");
    return fail.mode;
  }
  template <typename T>
  T After(Op op, T answer) {  // `answer`, once the fault hook let the operation through
    At(op);
    return answer;
  }
};
using Str = const std::string&;
using U32 = std::uint32_t;
using enum Op;

// A registry key or value name, or a path, in any letter case, with or without a final "\".
inline std::string Id(RegRoot root, Str key) {
  std::string id = std::to_string(int(root)) + "\\" + key.substr(0, key.find_last_not_of('\\') + 1);
  for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return id;
}

struct FakeRegistry : Registry, virtual FakeBase {
  // Reads a fixture as `reg import` does: keys, strings and dword: values of REGEDIT4 text.
  void Load(Str path) {
    std::ifstream file(path);
    std::string line, key;
    for (RegRoot root{}; std::getline(file, line);) {
      line = line.substr(0, line.find('\r'));
      const std::size_t cut = line.find("\"=");
      const std::string name = Unquote(line.substr(0, cut + 1)),
                        data = line.substr(std::min(cut + 2, line.size()));
      if (line.starts_with("[")) root = line.starts_with("[HKEY_CURRENT_USER") ? kHkcu : kHklm;
      if (line.starts_with("["))
        key = line.substr(line.find('\\') + 1, line.find(']') - line.find('\\') - 1);
      const auto n = data.starts_with("dword:") ? std::stoul(data.substr(6), nullptr, 16) : 0;
      if (data.starts_with("dword:"))
        SetValue(root, key, name, kRegDword, {char(n), char(n >> 8), char(n >> 16), char(n >> 24)});
      if (data.starts_with("\"")) SetValue(root, key, name, kRegSz, Unquote(data) + '\0');
    }
  }
  // A key exists when an entry lies at or below it.
  void SetValue(RegRoot root, Str key, Str name, U32 type, std::string bytes) {
    values[Id(root, key) + "\\\n" + Id({}, name)] = {type, bytes};
  }
  void AddKey(RegRoot root, Str key) { values[Id(root, key) + "\\"] = {}; }

  std::map<std::string, std::pair<U32, std::string>> values;  // type and bytes
  std::vector<std::string> opened;                            // key paths, in order
  std::map<RegKey, std::string> handles;
  bool only_64_bit_view = false;
  int queries = 0;  // values read

  Result<RegKey> OpenKey(RegRoot root, Str path, RegView view) override {
    // Keys of HKLM written only in the 64-bit view are not seen in the default one.
    const bool hidden = only_64_bit_view && root == kHklm && view == RegView::kDefault;
    const std::string id = hidden ? "hidden" : Id(root, path);
    opened.push_back(path);
    if (At(kOpenKey) == kStatus) return ErrorInfo{5, ""};
    auto found = values.lower_bound(id + "\\");
    if (found == values.end() || !found->first.starts_with(id + "\\")) return ErrorInfo{2, ""};
    handles[0x100 + opened.size()] = id;
    return RegKey(0x100 + opened.size());
  }
  Result<RegData> QueryValue(RegKey key, Str name) override {
    const Mode mode = At(kQueryValue);
    auto found = values.find(handles.at(key) + "\\\n" + Id({}, name));
    if (mode == kStatus) return ErrorInfo{5, ""};
    if (found == values.end()) return ErrorInfo{2, ""};
    ++queries;
    if (mode == kOversized) return RegData{kRegSz, std::string(kBig, 'W') + '\0'};
    return RegData{found->second.first, found->second.second};
  }
  void CloseKey(RegKey key) override { handles.erase(key); }
  // Windows-1252 as the system's code page, enough of it for the tests: Latin-1 and the euro.
  std::string AnsiText(std::string_view bytes) override {
    std::string text;
    for (const unsigned char b : bytes) {
      if (b == 0x80) text += "\u20AC";
      if (b < 0x80) text += char(b);
      if (b > 0x80) text += {char(0xC0 | b >> 6), char(0x80 | (b & 0x3F))};
    }
    return text;
  }

 private:
  static std::string Unquote(Str text) {  // a .reg text without quotes, escapes
    std::string out;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) out += text[i] == '\\' ? text[++i] : text[i];
    return out;
  }
};

struct FakeSystemFacts : SystemFacts, virtual FakeBase {
  OsVersionRecord Version() override {
    return After<OsVersionRecord>(kVersion, {6, 1, 7601, 2, "Service Pack 1"});
  }
  ProcessorRecord Processor() override { return After<ProcessorRecord>(kProcessor, {8664, 8}); }
  MemoryRecord Memory() override {
    return After<MemoryRecord>(kMemory, {16ull << 30, 6442975232, 24ull << 30});
  }
  Result<DiskFigures> DiskSpace(Str root) override {
    At(kDiskSpace);
    if (root != "C:\\") return ErrorInfo{3, ""};
    return DiskFigures{2000396746752, 733176086528};
  }
  ScreenMetrics Screen() override { return {28800, 16200, 15, 15}; }
  int DeviceCaps(int index) override { return index == kCapsPlanes ? 1 : 24; }
  std::string DateText() override { return After<std::string>(kDateText, "3/14/2026"); }
  std::string TimeText() override { return After<std::string>(kTimeText, "9:26:53 AM"); }
};

struct FakeIdentity : Identity, virtual FakeBase {
  std::string computer_name = "DESIGN-07", user_name = "j.smith";

  Result<std::string> UserName() override { return Named(kUserName, user_name); }
  Result<std::string> ComputerName() override { return Named(kComputerName, computer_name); }
  Result<std::string> TempPath() override {
    return Named(kTempPath, "C:\\Users\\j.smith\\AppData\\Local\\Temp\\");
  }
  std::optional<std::string> EnvironmentVariable(Str name) override {
    if (At(kEnvironmentVariable) == kEmpty) return std::nullopt;
    if (name == "TORVELK") return "27000@licence-server";
    return "C:\\Windows\\system32;C:\\Windows;C:\\Program Files (x86)\\R&D Tools\\bin;C:\\Program "
           "Files\\TORVEL";
  }

 private:
  Result<std::string> Named(Op op, Str name) {
    if (At(op) == kStatus) return ErrorInfo{5, "Access is denied."};
    return name;
  }
};

struct FakeNetwork : Network, virtual FakeBase {
  int sockets = 0;  // started and not yet ended

  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t) override {
    const Mode mode = At(kNetbiosAdapterAddress);
    if (mode == kStatus) return std::nullopt;
    if (mode == kEmpty) return HardwareAddress{};
    return HardwareAddress{0, 26, 43, 60, 77, 94};
  }
  std::optional<HardwareAddress> FirstEthernetAddress() override {
    return {{0, 26, 43, 60, 77, 95}};
  }
  Result<SocketsOffer> StartSockets() override {
    if (At(kSocketsStart) == kStatus) return ErrorInfo{10091, ""};
    ++sockets;
    return SocketsOffer{1, 1, 32767};
  }
  Status StopSockets() override {
    --sockets;  // ended even when the call then fails
    return After<Status>(kSocketsCleanup, Done{});
  }
  Result<std::string> HostName() override {
    if (At(kHostName) == kStatus) return ErrorInfo{10093, ""};
    return std::string("DESIGN-07");
  }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(Str host) override {
    if (At(kFirstHostAddress) == kStatus || host != "DESIGN-07") return std::nullopt;
    return std::vector<std::uint8_t>{192, 168, 10, 27};
  }
};

struct FakeFiles : Files, virtual FakeBase {
  std::map<std::string, std::pair<std::string, U32>> files;  // content, attributes
  std::map<FileRef, std::string> held;                       // files created and still open
  std::map<std::string, std::uint64_t> ages;                 // of files, in ms; 0 when not given
  std::vector<std::string> unwritable;                       // folders where no file can be created
  int file_count = 0, randoms = 0, stray_discards = 0;       // stray: discarded but not held

  std::string ExeFolder() override {
    return After<std::string>(kExeFolder, "C:\\Program Files\\TORVEL");
  }
  Result<U32> Attributes(Str path) override {
    if (At(kAttributes) == kOversized) return ~kAttrDirectory;  // read-only
    if (!files.count(path)) return Error(2);
    return files[path].second;
  }
  std::string DocumentsFolder() override { return "C:\\Users\\j.smith\\Documents"; }
  std::string TemporaryFolder() override { return "C:\\Users\\j.smith\\Temp"; }
  Result<FileRef> CreateNew(Str path) override {
    if (At(kCreateNew) == kStatus) return Error(5);
    for (const std::string& folder : unwritable) {
      if (path.starts_with(folder)) return Error(5);
    }
    if (files.count(path)) return Error(80);
    files[path] = {"", 0};
    held[++file_count] = path;
    return FileRef(file_count);
  }
  Status WriteAll(FileRef file, std::string_view bytes) override {
    if (At(kWriteAll) == kStatus) return Error(5);
    files[held.at(file)].first = std::string(bytes);
    return Done{};
  }
  Status Place(FileRef file, Str to) override {
    const Mode mode = At(kPlace);
    if (mode == kStatus) return Error(5);
    if (mode == kOversized) {  // renamed, but onto what another program put at its name
      files.erase(held.at(file));
      held.erase(file);
      return ErrorInfo{kChangedByAnother, ""};
    }
    files[to] = files[held.at(file)];
    files.erase(held.at(file));
    held.erase(file);
    log.push_back("wrote " + to);
    return Done{};
  }
  // A file no longer held has been closed: on Windows its handle may name another file by now.
  void Discard(FileRef file) override {
    if (!held.count(file)) return void(++stray_discards);
    files.erase(held.at(file));
    held.erase(file);
  }
  std::vector<FolderEntry> List(Str pattern) override {  // one "*", in the name
    const std::size_t star = pattern.find('*'), name = pattern.rfind('\\') + 1;
    std::vector<FolderEntry> found;
    for (const auto& [path, file] : files) {
      if (path.starts_with(pattern.substr(0, star)) && path.ends_with(pattern.substr(star + 1)))
        found.push_back({path.substr(name), file.second, ages[path]});
    }
    return found;
  }
  Status Remove(Str path) override {
    if (!files.erase(path)) return Error(2);
    return Done{};
  }
  std::string ErrorText(long code) override { return "Error text " + std::to_string(code) + "."; }
  std::uint32_t Random() override { return 0x5EED0000 + randoms++; }
  bool SameFile(Str a, Str b) override { return Id({}, a) == Id({}, b); }

 private:
  ErrorInfo Error(long code) { return {code, ErrorText(code)}; }
};

struct FakeShell : Shell, virtual FakeBase {
  bool start_ok = true;

  bool Execute(WindowRef owner, Str operation, Str file, Str parameters, Str directory,
               int show) override {
    log.push_back("open " + std::to_string(owner) + ", " + operation + ", " + file + ", " +
                  parameters + ", " + directory + ", " + std::to_string(show));
    return After(kExecute, true);
  }
  bool StartProgram(Str path) override {
    log.push_back("start " + path);
    return start_ok;
  }
};

struct FakeDialogs : Dialogs, virtual FakeBase {
  std::deque<Answer> answers;  // to Yes/No questions; No when none is left
  int busy = 0;                // busy cursors shown and not yet ended
  Answer Show(Str text, Str title, Buttons buttons) override {
    log.push_back((buttons == Buttons::kOk ? "box " : "ask ") + title + ": " + text);
    if (buttons == Buttons::kOk) return Answer::kOk;
    if (answers.empty()) return Answer::kNo;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetBusy(bool on) override { busy += on ? 1 : -1; }
  void SetStep(Str step) override { log.push_back("step " + step); }
};

struct FakeSimpleMail : SimpleMail, virtual FakeBase {
  long mapi_answer = 0;
  long SendWithAttachment(Str to, Str subject, Str body, Str path, Str name) override {
    log.push_back("mapi " + to + ", " + subject + ", " + body + ", " + path + ", " + name);
    return mapi_answer;
  }
};

struct FakeClock : Clock, virtual FakeBase {
  std::uint64_t TickCount() override { return At(kTickCount) == kOversized ? ~0ull : 5000000000; }
  UtcTime Now() override { return {2026, 3, 14, 8, 26, 53}; }
};

// The host, the mail client, its mail item and attachments are all this one object; `objects`
// counts references to it.
struct FakeAutomation : Automation, AutomationObject, virtual FakeBase {
  bool host_installed = true;
  int objects = 0;
  Result<AutomationRef> Create(Str name) override {
    return Answered([&] {
      const Mode mode = At(kCreate);
      if (mode == kStatus) throw Failure(code, "Not created");
      if (mode == kEmpty) return AutomationRef();
      if (name != "Outlook.Application" && (name != "Partwright.Application" || !host_installed))
        throw Failure(kClassNotRegistered, "Class not registered");
      log.push_back("create " + name);
      return Object();
    });
  }
  // An oversized answer: the host is already running.
  AutomationRef FindRunning(Str) override {
    return At(kFindRunning) == kOversized ? Object() : nullptr;
  }

  Result<AutoValue> Get(Str name) override { return Member("get " + name, name); }
  Status Put(Str name, const AutoValue& value) override {
    const Result<AutoValue> put = Member("put " + name + "=" + Text(value), name);
    if (!put) return put.error();
    return Done{};
  }
  Result<AutoValue> Call(Str name, const std::vector<AutoValue>& args) override {
    return Member("call " + name + "(" + (args.empty() ? "" : Text(args[0])) + ")", name);
  }

 private:
  static std::string Text(const AutoValue& value) {
    if (auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "";
  }
  AutomationRef Object() {  // a counted reference to the machine as an automation object
    ++objects;
    return AutomationRef(std::shared_ptr<void>(nullptr, [this](void*) { --objects; }), this);
  }
  // What `work` gives, or the Failure that the fault hook raised in it.
  template <typename Work>
  static auto Answered(Work work) -> Result<decltype(work())> {
    try {
      return work();
    } catch (const Failure& failure) {
      return ErrorInfo{failure.number(), failure.description()};
    }
  }
  Result<AutoValue> Member(Str entry, Str name) {
    return Answered([&] { return Ask(entry, name); });
  }
  AutoValue Ask(Str entry, Str name) {
    // A server that did not answer or rejected a call is given up, as the automation service
    // does: no call reaches it any more.
    if (hits > 0 && (fail.mode == kSilent || fail.mode == kRejected)) At(fail.op);
    log.push_back(entry);
    // clang-format off
    static const std::map<std::string, Op> kMembers = {
        {"ExitApp", kExitApp}, {"DateCode", kDateCode}, {"RevisionNumber", kRevisionNumber},
        {"CreateItem", kCreateItem}, {"To", kTo}, {"Add", kAdd}, {"Send", kSend}};
    // clang-format on
    if (kMembers.count(name)) At(kMembers.at(name));
    if (name == "DateCode") return std::int32_t{20060315};
    if (name == "RevisionNumber") return std::string("14.0.1102");
    return name == "CreateItem" || name == "Attachments" ? AutoValue(Object()) : AutoValue();
  }
};

// The fake machine: every fake, the registry holding tests/fixtures/machine.reg unless `populated`
// is false.
// clang-format off
struct Machine : FakeRegistry, FakeSystemFacts, FakeIdentity, FakeNetwork, FakeFiles, FakeShell,
                 FakeDialogs, FakeSimpleMail, FakeClock, FakeAutomation {
  // clang-format on
  explicit Machine(bool populated = true) {
    if (populated) Load(TORVEL_SOURCE_DIR "/tests/fixtures/machine.reg");
  }
  FactSources sources() { return {*this, *this, *this, *this, *this, *this, *this}; }
};

}  // namespace torvel::testing
