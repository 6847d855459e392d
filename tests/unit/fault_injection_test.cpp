// A whole report on the populated machine while one platform operation at a time fails, in each
// way it can fail: an error status, a thrown Failure, an empty answer, an oversized answer. Each
// run must end in a complete report whose lines are the expected ones with the few that the
// failure changes, or leave the previous report untouched with exactly one message; and nothing
// may stay open: registry keys, sockets start-ups, automation objects, the busy cursor, files
// beside the report.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/commands.h"
#include "fakes/fake_machine_populated.h"
#include "platform/failure.h"
#include "unit/expected/full_report.h"

namespace torvel {
namespace {

using testing::FakeMachine;
using testing::kPopulatedReport;

enum class Mode { kNone, kStatus, kThrow, kEmpty, kOversized };

const char* ModeName(Mode mode) {
  switch (mode) {
    case Mode::kStatus:
      return "status";
    case Mode::kThrow:
      return "throw";
    case Mode::kEmpty:
      return "empty";
    case Mode::kOversized:
      return "oversized";
    default:
      return "none";
  }
}

constexpr long kInjectedNumber = 51;
constexpr char kInjectedText[] = "Internal error";
constexpr long kAccessDenied = 5;
constexpr long kMoreData = 234;
constexpr std::size_t kBig = 65536;
const std::string kBigText(kBig, 'W');
constexpr std::uint32_t kMax32 = 0xFFFFFFFF;
constexpr std::uint64_t kMax64 = ~0ull;

// Which operations fail and how; counts the calls that were made to fail.
class Faults {
 public:
  void Add(const std::string& op, Mode mode) { modes_[op] = mode; }
  // How `op` answers this time. A thrown failure is thrown from here.
  Mode At(const std::string& op) {
    auto it = modes_.find(op);
    if (it == modes_.end()) return Mode::kNone;
    ++hits_[op];
    if (it->second == Mode::kThrow) throw Failure(kInjectedNumber, kInjectedText);
    return it->second;
  }
  int Hits(const std::string& op) const {
    auto it = hits_.find(op);
    return it == hits_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, Mode> modes_;
  std::map<std::string, int> hits_;
};

// Each service of the fake machine behind a layer that fails the operations named in Faults.
template <typename Service>
class Faulty : public Service {
 public:
  Faulty(Service& inner, Faults& faults) : inner_(inner), faults_(faults) {}

 protected:
  Service& inner_;
  Faults& faults_;
};

class FaultyRegistry : public Faulty<Registry> {
 public:
  using Faulty::Faulty;
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override {
    switch (faults_.At("Registry.OpenKey")) {
      case Mode::kStatus:
        return kAccessDenied;
      case Mode::kEmpty:
        return 0;  // success, yet no handle
      default:
        return inner_.OpenKey(root, path, key);
    }
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    switch (faults_.At("Registry.QueryValue")) {
      case Mode::kStatus:
        return kAccessDenied;
      case Mode::kEmpty:
        *size = 0;
        return 0;
      case Mode::kOversized: {
        // A 64 KiB text and its NUL, whatever the value held.
        const auto needed = static_cast<std::uint32_t>(kBig + 1);
        *type = kRegSz;
        if (*size < needed) {
          *size = needed;
          return kMoreData;
        }
        std::memcpy(data, kBigText.c_str(), needed);
        *size = needed;
        return 0;
      }
      default:
        return inner_.QueryValue(key, name, type, data, size);
    }
  }
  long CloseKey(RegKey key) override {
    const long code = inner_.CloseKey(key);  // the handle goes whatever the call answers
    return faults_.At("Registry.CloseKey") == Mode::kStatus ? kAccessDenied : code;
  }
};

class FaultySystem : public Faulty<SystemInfo> {
 public:
  using Faulty::Faulty;
  OsVersionRecord Version() override {
    switch (faults_.At("System.Version")) {
      case Mode::kEmpty:
        return {};
      case Mode::kOversized: {
        OsVersionRecord record{kMax32, kMax32, kMax32, kMax32, {}};
        record.service_pack.fill('S');  // no NUL anywhere
        return record;
      }
      default:
        return inner_.Version();
    }
  }
  ProcessorRecord Processor() override {
    switch (faults_.At("System.Processor")) {
      case Mode::kEmpty:
        return {};
      case Mode::kOversized:
        return {kMax32, kMax32};
      default:
        return inner_.Processor();
    }
  }
  MemoryRecord Memory() override {
    switch (faults_.At("System.Memory")) {
      case Mode::kEmpty:
        return {};
      case Mode::kOversized:
        return {kMax64, kMax64, kMax64};
      default:
        return inner_.Memory();
    }
  }
  bool DiskSpace(const std::string& root, std::uint64_t* total, std::uint64_t* free) override {
    switch (faults_.At("System.DiskSpace")) {
      case Mode::kStatus:
        *total = *free = 0;
        return false;
      case Mode::kEmpty:
        *total = *free = 0;
        return true;
      case Mode::kOversized:
        *total = *free = kMax64;
        return true;
      default:
        return inner_.DiskSpace(root, total, free);
    }
  }
  ScreenMetrics Screen() override {
    switch (faults_.At("System.Screen")) {
      case Mode::kEmpty:
        return {0, 0, 0, 0};
      case Mode::kOversized:
        return {1e300, 1e300, 15, 15};
      default:
        return inner_.Screen();
    }
  }
  int DeviceCaps(int index) override {
    switch (faults_.At("System.DeviceCaps")) {
      case Mode::kStatus:
      case Mode::kEmpty:
        return 0;
      case Mode::kOversized:
        return INT_MAX;
      default:
        return inner_.DeviceCaps(index);
    }
  }
  std::string DateText() override { return Text("System.DateText", inner_.DateText()); }
  std::string TimeText() override { return Text("System.TimeText", inner_.TimeText()); }

 private:
  std::string Text(const std::string& op, const std::string& text) {
    switch (faults_.At(op)) {
      case Mode::kEmpty:
        return "";
      case Mode::kOversized:
        return kBigText;
      default:
        return text;
    }
  }
};

class FaultyIdentity : public Faulty<Identity> {
 public:
  using Faulty::Faulty;
  bool UserNameInto(char* buffer, std::uint32_t* size) override {
    return Name("Identity.UserNameInto", size, [&] { return inner_.UserNameInto(buffer, size); });
  }
  bool ComputerNameInto(char* buffer, std::uint32_t* size) override {
    return Name("Identity.ComputerNameInto", size,
                [&] { return inner_.ComputerNameInto(buffer, size); });
  }
  std::uint32_t TempPathInto(std::uint32_t length, char* buffer) override {
    switch (faults_.At("Identity.TempPathInto")) {
      case Mode::kStatus:
      case Mode::kEmpty:
        return 0;
      case Mode::kOversized:
        return kBig + 1;  // the size a longer path would need; nothing written
      default:
        return inner_.TempPathInto(length, buffer);
    }
  }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    switch (faults_.At("Identity.EnvironmentVariable")) {
      case Mode::kEmpty:
        return std::nullopt;
      case Mode::kOversized:
        return std::string(32767, 'W');
      default:
        return inner_.EnvironmentVariable(name);
    }
  }

 private:
  // The two name calls fail alike: false with the buffer untouched, success with nothing, or
  // the size a longer name would need.
  bool Name(const std::string& op, std::uint32_t* size, const std::function<bool()>& call) {
    switch (faults_.At(op)) {
      case Mode::kStatus:
        return false;
      case Mode::kEmpty:
        *size = 0;
        return true;
      case Mode::kOversized:
        *size = kBig + 1;
        return false;
      default:
        return call();
    }
  }
};

class FaultyNetwork : public Faulty<Network> {
 public:
  using Faulty::Faulty;
  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t adapter) override {
    return Address("Network.NetbiosAdapterAddress",
                   [&] { return inner_.NetbiosAdapterAddress(adapter); });
  }
  std::optional<HardwareAddress> FirstEthernetAddress() override {
    return Address("Network.FirstEthernetAddress", [&] { return inner_.FirstEthernetAddress(); });
  }
  int SocketsStart(SocketsStartup* startup) override {
    const Mode mode = faults_.At("Network.SocketsStart");
    if (mode == Mode::kStatus) return 10091;  // WSASYSNOTREADY
    const int code = inner_.SocketsStart(startup);
    if (code == 0 && mode == Mode::kEmpty) *startup = {};
    if (code == 0 && mode == Mode::kOversized) *startup = {0xFFFF, 0x7FFF};
    return code;
  }
  int SocketsCleanup() override {
    const int code = inner_.SocketsCleanup();
    return faults_.At("Network.SocketsCleanup") == Mode::kStatus ? 10050 : code;
  }
  int HostName(std::string* name) override {
    switch (faults_.At("Network.HostName")) {
      case Mode::kStatus:
        return -1;
      case Mode::kEmpty:
        *name = "";
        return 0;
      case Mode::kOversized:
        *name = kBigText;
        return 0;
      default:
        return inner_.HostName(name);
    }
  }
  int LastSocketsError() override {
    switch (faults_.At("Network.LastSocketsError")) {
      case Mode::kEmpty:
        return 0;
      case Mode::kOversized:
        return INT_MIN;
      default:
        return inner_.LastSocketsError();
    }
  }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) override {
    switch (faults_.At("Network.FirstHostAddress")) {
      case Mode::kStatus:
        return std::nullopt;
      case Mode::kEmpty:
        return std::vector<std::uint8_t>();
      case Mode::kOversized:
        return std::vector<std::uint8_t>(256, 255);
      default:
        return inner_.FirstHostAddress(host);
    }
  }

 private:
  std::optional<HardwareAddress> Address(
      const std::string& op, const std::function<std::optional<HardwareAddress>()>& call) {
    switch (faults_.At(op)) {
      case Mode::kStatus:
        return std::nullopt;
      case Mode::kEmpty:
        return HardwareAddress{};
      default:
        return call();
    }
  }
};

class FaultyFiles : public Faulty<Files> {
 public:
  using Faulty::Faulty;
  std::string ExeFolder() override {
    switch (faults_.At("Files.ExeFolder")) {
      case Mode::kEmpty:
        return "";
      case Mode::kOversized:
        return "C:\\" + std::string(32760, 'W');
      default:
        return inner_.ExeFolder();
    }
  }
  long Attributes(const std::string& path, std::uint32_t* attributes) override {
    switch (faults_.At("Files.Attributes")) {
      case Mode::kStatus:
        return kAccessDenied;
      case Mode::kEmpty:
        return 0;  // found, attributes left as they were
      case Mode::kOversized:
        *attributes = kMax32;
        return 0;
      default:
        return inner_.Attributes(path, attributes);
    }
  }
  long WriteWhole(const std::string& path, std::string_view bytes) override {
    switch (faults_.At("Files.WriteWhole")) {
      case Mode::kStatus:
        return kAccessDenied;
      case Mode::kEmpty:
        return 0;  // success, yet nothing written
      default:
        return inner_.WriteWhole(path, bytes);
    }
  }
  long MoveReplacing(const std::string& from, const std::string& to) override {
    if (faults_.At("Files.MoveReplacing") == Mode::kStatus) return kAccessDenied;
    return inner_.MoveReplacing(from, to);
  }
  long Remove(const std::string& path) override {
    if (faults_.At("Files.Remove") == Mode::kStatus) return kAccessDenied;
    return inner_.Remove(path);
  }
  std::string ErrorText(long code) override {
    switch (faults_.At("Files.ErrorText")) {
      case Mode::kEmpty:
        return "";
      case Mode::kOversized:
        return kBigText;
      default:
        return inner_.ErrorText(code);
    }
  }
};

class FaultyShell : public Faulty<Shell> {
 public:
  using Faulty::Faulty;
  std::intptr_t Execute(WindowRef owner, const std::string& operation, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override {
    if (faults_.At("Shell.Execute") == Mode::kStatus) return 2;  // file not found
    return inner_.Execute(owner, operation, file, parameters, directory, show);
  }
  bool StartProgram(const std::string& path) override { return inner_.StartProgram(path); }
};

class FaultyObject : public AutomationObject {
 public:
  FaultyObject(AutomationRef inner, Faults& faults) : inner_(std::move(inner)), faults_(faults) {}
  AutoValue Get(const std::string& name) override {
    switch (faults_.At("Automation.Get")) {
      case Mode::kEmpty:
        return {};
      case Mode::kOversized:
        return name == "DateCode" ? AutoValue(1e300) : AutoValue(kBigText);
      default:
        return inner_->Get(name);
    }
  }
  void Put(const std::string& name, const AutoValue& value) override { inner_->Put(name, value); }
  AutoValue Call(const std::string& name, const std::vector<AutoValue>& args) override {
    faults_.At("Automation.Call");
    return inner_->Call(name, args);
  }

 private:
  AutomationRef inner_;
  Faults& faults_;
};

class FaultyAutomation : public Faulty<Automation> {
 public:
  using Faulty::Faulty;
  AutomationRef Create(const std::string& class_name) override {
    if (faults_.At("Automation.Create") == Mode::kEmpty) return nullptr;
    return Wrap(inner_.Create(class_name));
  }
  AutomationRef FindRunning(const std::string& class_name) override {
    faults_.At("Automation.FindRunning");
    return Wrap(inner_.FindRunning(class_name));
  }

 private:
  AutomationRef Wrap(AutomationRef object) {
    return object ? std::make_shared<FaultyObject>(std::move(object), faults_) : nullptr;
  }
};

class FaultyClock : public Faulty<Clock> {
 public:
  using Faulty::Faulty;
  std::uint64_t TickCount() override {
    switch (faults_.At("Clock.TickCount")) {
      case Mode::kEmpty:
        return 0;
      case Mode::kOversized:
        return kMax64;
      default:
        return inner_.TickCount();
    }
  }
};

// The populated machine with every service behind its faulty layer.
struct FaultyMachine {
  FaultyMachine() { testing::PopulateFullMachine(machine); }

  Platform platform() {
    return Platform{registry, system,          identity,   network, files,
                    shell,    machine.dialogs, automation, clock};
  }

  FakeMachine machine;
  Faults faults;
  FaultyRegistry registry{machine.registry, faults};
  FaultySystem system{machine.system, faults};
  FaultyIdentity identity{machine.identity, faults};
  FaultyNetwork network{machine.network, faults};
  FaultyFiles files{machine.files, faults};
  FaultyShell shell{machine.shell, faults};
  FaultyAutomation automation{machine.automation, faults};
  FaultyClock clock{machine.clock, faults};
};

// The expected report's lines, edited for one failure.
class ExpectedReport {
 public:
  ExpectedReport() : lines_(expected::SplitLines(expected::FullReport())) {}

  // Replaces the one line that starts with `start`.
  void Set(const std::string& start, const std::string& line) {
    if (auto it = Find(start); it != lines_.end()) *it = line;
  }
  void Drop(const std::string& start) {
    if (auto it = Find(start); it != lines_.end()) lines_.erase(it);
  }
  // The product sections: after the line that closes the machine block, up to the empty line
  // before the host section's rule.
  void DropProducts() {
    auto [first, last] = Products();
    lines_.erase(first, last);
  }
  // Every value of the product sections reads `text` instead.
  void ProductValuesRead(const std::string& text) {
    auto [first, last] = Products();
    for (auto line = first; line != last; ++line) {
      for (const testing::StoredText& value : testing::PopulatedProductValues()) {
        const std::string shown = Escaped(value.text);
        if (auto at = line->find(shown); at != std::string::npos)
          line->replace(at, shown.size(), text);
      }
    }
  }
  std::string Text() const { return expected::JoinLines(lines_); }

  static std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
      escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    return escaped;
  }

 private:
  using Iterator = std::vector<std::string>::iterator;

  Iterator Find(const std::string& start) {
    Iterator found = lines_.end();
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
      if (it->rfind(start, 0) != 0) continue;
      EXPECT_EQ(found, lines_.end()) << "more than one line starts with: " << start;
      found = it;
    }
    EXPECT_NE(found, lines_.end()) << "no line starts with: " << start;
    return found;
  }
  std::pair<Iterator, Iterator> Products() {
    const Iterator first = Find("TORVELK :") + 1;
    // Before the host section's heading stand its rule and the writer's empty line.
    const Iterator heading =
        Find("<p style=\"font-weight: bold; x-text-underline: normal;\">Partwright Information");
    return {first, heading - 2};
  }

  std::vector<std::string> lines_;
};

using Edit = std::function<void(ExpectedReport&)>;

// One run: the faults, in order (the ones before the last set the scene for it), and either
// the edits that make the expected report and the boxes shown, or the message of a failed run.
struct Case {
  std::vector<std::pair<std::string, Mode>> faults;
  bool completes = true;
  std::vector<Edit> edits;
  std::vector<std::string> boxes;
  std::string report = kPopulatedReport;  // where the report is written

  std::string Name() const {
    std::string name;
    for (const auto& [op, mode] : faults) name += op + "/" + ModeName(mode) + " ";
    return name;
  }
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.Name(); }

using Faulted = std::vector<std::pair<std::string, Mode>>;

Case Completes(Faulted faults, std::vector<Edit> edits, std::vector<std::string> boxes = {}) {
  return Case{std::move(faults), true, std::move(edits), std::move(boxes)};
}

// The run fails: the previous report stays and one message says why.
Case Fails(Faulted faults, const std::string& reason = kInjectedText,
           const std::string& path = kPopulatedReport) {
  return Case{std::move(faults), false, {}, {ReportFailureText(path, reason)}};
}

Edit Set(const std::string& start, const std::string& line) {
  return [=](ExpectedReport& r) { r.Set(start, line); };
}
Edit Drop(const std::vector<std::string>& starts) {
  return [=](ExpectedReport& r) {
    for (const std::string& start : starts) r.Drop(start);
  };
}
Edit NoProducts() {
  return [](ExpectedReport& r) { r.DropProducts(); };
}
Edit ProductValuesRead(const std::string& text) {
  return [=](ExpectedReport& r) { r.ProductValuesRead(text); };
}
Edit EditionsUnknown() {
  return [](ExpectedReport& r) {
    for (const char* year : {"2004", "2005", "2006"}) {
      const std::string start = std::string("Partwright ") + year + " Installed version: ";
      r.Set(start, start + "N/A");
    }
  };
}
Edit HostAnswers(const std::string& date_code, const std::string& revision) {
  return [=](ExpectedReport& r) {
    r.Set("<pre>Partwright Date Code:", "<pre>Partwright Date Code:       " + date_code);
    r.Set("Partwright Revision Number:", "Partwright Revision Number:  " + revision);
  };
}
Edit Ip(const std::string& text) { return Set("IP Address:", "IP Address:              " + text); }
Edit Ethernet(const std::string& text) {
  return Set("Ethernet Address:", "Ethernet Address:        " + text);
}

const std::vector<std::string> kVersionBlock = {"OPERATING SYSTEM:",
                                                "VERSION:                 6.1",
                                                "BUILD:                   7601",
                                                "SERVICE PACK:",
                                                "PROCESSOR :",
                                                "NUMBER OF PROCESSOR :",
                                                "SYSTEM DATE :"};
const std::vector<std::string> kResourcesBlock = {
    "TOTAL PHYSICAL MEMORY:", "TOTAL AVAILABLE MEMORY:", "TOTAL PAGING MEMORY:",
    "TOTAL DISK SPACE:",      "TOTAL FREE DISK SPACE:",  "CURRENT DRIVE:",
    "SCREEN RESOLUTION:",     "NUMBER OF COLORS:"};

std::string Collector(const std::string& procedure, long number, const std::string& text) {
  return "Stats.Form1." + procedure + std::to_string(number) + text;
}
std::string Injected(const std::string& procedure) {
  return Collector(procedure, kInjectedNumber, kInjectedText);
}

constexpr char kNotAvailable[] = "not available: Internal error (error 00000033)";
constexpr char kNotResponding[] =
    "Windows Sockets are not responding. Unable to successfully get Host Name.";
constexpr char kNoHostObject[] = "not available: the host gave no object (error 80004003)";
constexpr char kDateCodeMismatch[] =
    "not available: the host's date code is not a whole number (error 80020005)";

// 256 bytes of 255 in dotted form.
std::string LongAddress() {
  std::string text = "255";
  for (int i = 1; i < 256; ++i) text += ".255";
  return text;
}

std::vector<Case> Cases() {
  using M = Mode;
  const std::string big_mb = " 17592186044416 MB";
  return {
      // Registry: a product key that cannot be opened leaves its section out; a value that
      // cannot be read is empty text; an edition that cannot be read is N/A.
      Completes({{"Registry.OpenKey", M::kStatus}}, {NoProducts(), EditionsUnknown()}),
      Completes({{"Registry.OpenKey", M::kThrow}}, {NoProducts(), EditionsUnknown()}),
      Completes({{"Registry.OpenKey", M::kEmpty}}, {NoProducts(), EditionsUnknown()}),
      Completes({{"Registry.QueryValue", M::kStatus}}, {ProductValuesRead(""), EditionsUnknown()}),
      Completes({{"Registry.QueryValue", M::kThrow}}, {ProductValuesRead(""), EditionsUnknown()}),
      Completes({{"Registry.QueryValue", M::kEmpty}}, {ProductValuesRead(""), EditionsUnknown()}),
      Completes({{"Registry.QueryValue", M::kOversized}},
                {ProductValuesRead(kBigText), EditionsUnknown()}),
      // The presence tests report what the close returned.
      Completes({{"Registry.CloseKey", M::kStatus}}, {NoProducts()}),
      Completes({{"Registry.CloseKey", M::kThrow}}, {}),

      // System information: the collectors' handler shows one box and the block stops there.
      Completes({{"System.Version", M::kThrow}}, {Drop(kVersionBlock)},
                {Injected("VersionInformation")}),
      Completes({{"System.Version", M::kEmpty}},
                {Set("OPERATING SYSTEM:", "OPERATING SYSTEM:        "),
                 Set("VERSION:                 6.1", "VERSION:                 0.0"),
                 Set("BUILD:                   7601", "BUILD:                   0"),
                 Set("SERVICE PACK:", "SERVICE PACK:            ")}),
      Completes(
          {{"System.Version", M::kOversized}},
          {Set("OPERATING SYSTEM:", "OPERATING SYSTEM:        "),
           Set("VERSION:                 6.1", "VERSION:                 4294967295.4294967295"),
           Set("BUILD:                   7601", "BUILD:                   65535"),
           Set("SERVICE PACK:", "SERVICE PACK:            ")}),
      Completes({{"System.Processor", M::kThrow}}, {Drop(kVersionBlock)},
                {Injected("VersionInformation")}),
      Completes({{"System.Processor", M::kEmpty}},
                {Set("NUMBER OF PROCESSOR :", "NUMBER OF PROCESSOR :     0")}),
      Completes({{"System.Processor", M::kOversized}},
                {Set("NUMBER OF PROCESSOR :", "NUMBER OF PROCESSOR :     4294967295")}),
      Completes({{"System.Memory", M::kThrow}}, {Drop(kResourcesBlock)},
                {Injected("SystemInformation")}),
      Completes({{"System.Memory", M::kEmpty}},
                {Set("TOTAL PHYSICAL MEMORY:", "TOTAL PHYSICAL MEMORY:    0 MB"),
                 Set("TOTAL AVAILABLE MEMORY:", "TOTAL AVAILABLE MEMORY:   0 MB"),
                 Set("TOTAL PAGING MEMORY:", "TOTAL PAGING MEMORY:      0 MB")}),
      Completes({{"System.Memory", M::kOversized}},
                {Set("TOTAL PHYSICAL MEMORY:", "TOTAL PHYSICAL MEMORY:   " + big_mb),
                 Set("TOTAL AVAILABLE MEMORY:", "TOTAL AVAILABLE MEMORY:  " + big_mb),
                 Set("TOTAL PAGING MEMORY:", "TOTAL PAGING MEMORY:     " + big_mb)}),
      Completes({{"System.DiskSpace", M::kStatus}},
                {Set("TOTAL DISK SPACE:", "TOTAL DISK SPACE:         0 MB"),
                 Set("TOTAL FREE DISK SPACE:", "TOTAL FREE DISK SPACE:    0 MB")}),
      Completes({{"System.DiskSpace", M::kThrow}}, {Drop(kResourcesBlock)},
                {Injected("SystemInformation")}),
      Completes({{"System.DiskSpace", M::kEmpty}},
                {Set("TOTAL DISK SPACE:", "TOTAL DISK SPACE:         0 MB"),
                 Set("TOTAL FREE DISK SPACE:", "TOTAL FREE DISK SPACE:    0 MB")}),
      Completes({{"System.DiskSpace", M::kOversized}},
                {Set("TOTAL DISK SPACE:", "TOTAL DISK SPACE:        " + big_mb),
                 Set("TOTAL FREE DISK SPACE:", "TOTAL FREE DISK SPACE:   " + big_mb)}),
      Completes({{"System.Screen", M::kThrow}}, {Drop({"SCREEN RESOLUTION:", "NUMBER OF COLORS:"})},
                {Injected("SystemInformation")}),
      Completes({{"System.Screen", M::kEmpty}}, {Drop({"SCREEN RESOLUTION:", "NUMBER OF COLORS:"})},
                {Collector("SystemInformation", 11, "Division by zero")}),
      Completes({{"System.Screen", M::kOversized}},
                {Drop({"SCREEN RESOLUTION:", "NUMBER OF COLORS:"})},
                {Collector("SystemInformation", 6, "Overflow")}),
      Completes({{"System.DeviceCaps", M::kStatus}},
                {Set("NUMBER OF COLORS:", "NUMBER OF COLORS:         1")}),
      Completes({{"System.DeviceCaps", M::kThrow}}, {Drop({"NUMBER OF COLORS:"})},
                {Injected("SystemInformation")}),
      Completes({{"System.DeviceCaps", M::kOversized}}, {Drop({"NUMBER OF COLORS:"})},
                {Collector("SystemInformation", 6, "Overflow")}),
      Completes({{"System.DateText", M::kThrow}}, {Drop(kVersionBlock)},
                {Injected("VersionInformation")}),
      Completes({{"System.DateText", M::kEmpty}},
                {Set("SYSTEM DATE :", "SYSTEM DATE :             at 9:26:53 AM")}),
      Completes({{"System.DateText", M::kOversized}},
                {Set("SYSTEM DATE :", "SYSTEM DATE :            " + kBigText + " at 9:26:53 AM")}),
      Completes({{"System.TimeText", M::kThrow}}, {Drop(kVersionBlock)},
                {Injected("VersionInformation")}),
      Completes({{"System.TimeText", M::kEmpty}},
                {Set("SYSTEM DATE :", "SYSTEM DATE :            3/14/2026 at ")}),
      Completes({{"System.TimeText", M::kOversized}},
                {Set("SYSTEM DATE :", "SYSTEM DATE :            3/14/2026 at " + kBigText)}),

      // Identity and environment.
      Completes({{"Identity.UserNameInto", M::kStatus}},
                {Set("<pre>USER NAME:", "<pre>USER NAME:               ")}),
      Completes({{"Identity.UserNameInto", M::kThrow}}, {Drop({"<pre>USER NAME:"})},
                {Injected("UserName")}),
      Completes({{"Identity.UserNameInto", M::kEmpty}},
                {Set("<pre>USER NAME:", "<pre>USER NAME:               ")}),
      Completes({{"Identity.UserNameInto", M::kOversized}},
                {Set("<pre>USER NAME:", "<pre>USER NAME:               ")}),
      // A name the system does not write leaves the buffer's X characters.
      Completes({{"Identity.ComputerNameInto", M::kStatus}},
                {Set("COMPUTER NAME:", "COMPUTER NAME:           " + std::string(32, 'X'))}),
      Fails({{"Identity.ComputerNameInto", M::kThrow}}),
      Completes({{"Identity.ComputerNameInto", M::kEmpty}},
                {Set("COMPUTER NAME:", "COMPUTER NAME:           ")}),
      Completes({{"Identity.ComputerNameInto", M::kOversized}},
                {Set("COMPUTER NAME:", "COMPUTER NAME:           " + std::string(32, 'X'))}),
      Completes({{"Identity.TempPathInto", M::kStatus}},
                {Set("TEMPORARY DIRECTORY :", "TEMPORARY DIRECTORY :    ")}),
      Completes({{"Identity.TempPathInto", M::kThrow}},
                {Set("TEMPORARY DIRECTORY :", "TEMPORARY DIRECTORY :    ")},
                {Injected("GetTempDirectory")}),
      Completes({{"Identity.TempPathInto", M::kOversized}},
                {Set("TEMPORARY DIRECTORY :", "TEMPORARY DIRECTORY :    ")}),
      Completes({{"Identity.EnvironmentVariable", M::kThrow}},
                {Set("PATH :", "PATH :                   "),
                 Set("TORVELK :", "TORVELK :                </pre>")},
                {Injected("GetEnvironmentVar"), Injected("GetEnvironmentVar")}),
      Completes({{"Identity.EnvironmentVariable", M::kEmpty}},
                {Set("PATH :", "PATH :                   "),
                 Set("TORVELK :", "TORVELK :                </pre>")}),
      Completes(
          {{"Identity.EnvironmentVariable", M::kOversized}},
          {Set("PATH :", "PATH :                   " + std::string(32767, 'W')),
           Set("TORVELK :", "TORVELK :                " + std::string(32767, 'W') + "</pre>")}),

      // Network: the adapter list stands in for a missing NetBIOS answer; sockets failures
      // are told in a box and leave the IP address empty.
      Completes({{"Network.NetbiosAdapterAddress", M::kStatus}}, {Ethernet("001A2B3C4D5F")}),
      Fails({{"Network.NetbiosAdapterAddress", M::kThrow}}),
      Completes({{"Network.NetbiosAdapterAddress", M::kEmpty}}, {Ethernet("001A2B3C4D5F")}),
      Completes({{"Network.NetbiosAdapterAddress", M::kStatus},
                 {"Network.FirstEthernetAddress", M::kStatus}},
                {Ethernet("000000000000")}),
      Fails({{"Network.NetbiosAdapterAddress", M::kStatus},
             {"Network.FirstEthernetAddress", M::kThrow}}),
      Completes({{"Network.NetbiosAdapterAddress", M::kStatus},
                 {"Network.FirstEthernetAddress", M::kEmpty}},
                {Ethernet("000000000000")}),
      Completes({{"Network.SocketsStart", M::kStatus}}, {Ip("")},
                {"The 32-bit Windows Socket is not responding."}),
      Fails({{"Network.SocketsStart", M::kThrow}}),
      Completes({{"Network.SocketsStart", M::kEmpty}}, {Ip("")},
                {"This application requires a minimum of 1 supported sockets."}),
      Completes({{"Network.SocketsStart", M::kOversized}}, {}),
      Completes({{"Network.SocketsCleanup", M::kStatus}}, {},
                {"Socket error occurred in Cleanup."}),
      Fails({{"Network.SocketsCleanup", M::kThrow}}),
      Completes({{"Network.HostName", M::kStatus}}, {Ip("")},
                {"Windows Sockets error  10093 has occurred. Unable to successfully get Host "
                 "Name."}),
      Fails({{"Network.HostName", M::kThrow}}),
      Completes({{"Network.HostName", M::kEmpty}}, {Ip("")}, {kNotResponding}),
      Completes({{"Network.HostName", M::kOversized}}, {Ip("")}, {kNotResponding}),
      Completes({{"Network.HostName", M::kStatus}, {"Network.LastSocketsError", M::kEmpty}},
                {Ip("")},
                {"Windows Sockets error  0 has occurred. Unable to successfully get Host Name."}),
      Fails({{"Network.HostName", M::kStatus}, {"Network.LastSocketsError", M::kThrow}}),
      Completes({{"Network.HostName", M::kStatus}, {"Network.LastSocketsError", M::kOversized}},
                {Ip("")},
                {"Windows Sockets error -2147483648 has occurred. Unable to successfully get "
                 "Host Name."}),
      Completes({{"Network.FirstHostAddress", M::kStatus}}, {Ip("")}, {kNotResponding}),
      Fails({{"Network.FirstHostAddress", M::kThrow}}),
      Completes({{"Network.FirstHostAddress", M::kEmpty}}, {Ip("")}),
      Completes({{"Network.FirstHostAddress", M::kOversized}}, {Ip(LongAddress())}),

      // Files: the report is replaced whole or not at all.
      [] {
        Case c = Completes({{"Files.ExeFolder", M::kEmpty}},
                           {Set("TOTAL DISK SPACE:", "TOTAL DISK SPACE:         0 MB"),
                            Set("TOTAL FREE DISK SPACE:", "TOTAL FREE DISK SPACE:    0 MB"),
                            Set("CURRENT DRIVE:", "CURRENT DRIVE:            \\<br>")});
        c.report = "\\TORVEL Info.htm";
        return c;
      }(),
      Fails({{"Files.ExeFolder", M::kThrow}}, kInjectedText, "TORVEL Info.htm"),
      [] {
        Case c = Completes({{"Files.ExeFolder", M::kOversized}}, {});
        c.report = "C:\\" + std::string(32760, 'W') + "\\TORVEL Info.htm";
        return c;
      }(),
      Completes({{"Files.Attributes", M::kStatus}}, {}),
      Fails({{"Files.Attributes", M::kThrow}}),
      Completes({{"Files.Attributes", M::kEmpty}}, {}),
      Fails({{"Files.Attributes", M::kOversized}}, "Error text 5."),
      Fails({{"Files.WriteWhole", M::kStatus}}, "Error text 5."),
      Fails({{"Files.WriteWhole", M::kThrow}}),
      Fails({{"Files.WriteWhole", M::kEmpty}}, "Error text 2."),
      Fails({{"Files.MoveReplacing", M::kStatus}}, "Error text 5."),
      Fails({{"Files.MoveReplacing", M::kThrow}}),
      Fails({{"Files.WriteWhole", M::kStatus}, {"Files.Remove", M::kStatus}}, "Error text 5."),
      Fails({{"Files.WriteWhole", M::kStatus}, {"Files.Remove", M::kThrow}}),
      Fails({{"Files.WriteWhole", M::kStatus}, {"Files.ErrorText", M::kThrow}}),
      Fails({{"Files.WriteWhole", M::kStatus}, {"Files.ErrorText", M::kEmpty}}, ""),
      Fails({{"Files.WriteWhole", M::kStatus}, {"Files.ErrorText", M::kOversized}}, kBigText),

      // The shell's answer when the report is opened is not examined.
      Completes({{"Shell.Execute", M::kStatus}}, {}),
      Completes({{"Shell.Execute", M::kThrow}}, {}),

      // Host automation: the section keeps its form and says why a value is missing.
      Completes({{"Automation.Create", M::kThrow}}, {HostAnswers(kNotAvailable, kNotAvailable)}),
      Completes({{"Automation.Create", M::kEmpty}}, {HostAnswers(kNoHostObject, kNoHostObject)}),
      Completes({{"Automation.FindRunning", M::kThrow}},
                {HostAnswers(kNotAvailable, kNotAvailable)}),
      Completes({{"Automation.Get", M::kThrow}}, {HostAnswers(kNotAvailable, kNotAvailable)}),
      Completes({{"Automation.Get", M::kEmpty}}, {HostAnswers(kDateCodeMismatch, "")}),
      Completes({{"Automation.Get", M::kOversized}}, {HostAnswers(kDateCodeMismatch, kBigText)}),
      Completes({{"Automation.Call", M::kThrow}}, {}),

      // Clock.
      Fails({{"Clock.TickCount", M::kThrow}}),
      Completes({{"Clock.TickCount", M::kEmpty}},
                {Set("Your system has been running",
                     "Your system has been running for 0 hours and 0 minutes.")}),
      Completes({{"Clock.TickCount", M::kOversized}},
                {Set("Your system has been running",
                     "Your system has been running for 5124095576030 hours and 26 minutes.")}),
  };
}

class FaultInjectionTest : public ::testing::TestWithParam<Case> {};

TEST_P(FaultInjectionTest, ReportIsCompleteOrThePreviousOneStays) {
  const Case& c = GetParam();
  FaultyMachine m;
  for (const auto& [op, mode] : c.faults) m.faults.Add(op, mode);
  constexpr char kPrevious[] = "<html>the previous report</html>\r\n";
  testing::FakeFiles& files = m.machine.files;
  files.files[kPopulatedReport] = {kPrevious, 0};
  const Platform p = m.platform();

  bool written = false;
  EXPECT_NO_THROW({
    written = RunReport(p);
    if (written) OpenReport(p, 0);
  });

  std::vector<std::string> boxes;
  for (const auto& shown : m.machine.dialogs.shown) boxes.push_back(shown.text);
  EXPECT_EQ(boxes, c.boxes);
  EXPECT_EQ(written, c.completes);
  if (c.completes) {
    ExpectedReport report;
    for (const Edit& edit : c.edits) edit(report);
    ASSERT_EQ(files.files.count(c.report), 1u);
    const std::string& text = files.files.at(c.report).content;
    EXPECT_TRUE(text == report.Text()) << expected::FirstDifference(text, report.Text());
  } else {
    EXPECT_EQ(files.files.at(kPopulatedReport).content, kPrevious);
  }
  // Nothing beside the report: no temporary file, no second report.
  const std::size_t reports = c.report == kPopulatedReport || !c.completes ? 1 : 2;
  EXPECT_EQ(files.files.size(), reports);

  // Nothing left open.
  EXPECT_EQ(m.machine.registry.open_keys(), 0);
  EXPECT_EQ(m.machine.network.open_startups, 0);
  EXPECT_EQ(m.machine.automation.released(),
            static_cast<int>(m.machine.automation.created().size()));
  EXPECT_EQ(m.machine.dialogs.busy_depth, 0);
  // Every fault of the case was reached.
  for (const auto& [op, mode] : c.faults) EXPECT_GT(m.faults.Hits(op), 0) << op;
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, FaultInjectionTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (char ch : info.param.Name()) {
                             if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
                             if (ch == ' ') name += '_';
                           }
                           return name;
                         });

// The edits above find the product values by their text, so each must show exactly once.
TEST(FaultInjectionFixture, EveryProductValueShowsOnceInTheExpectedReport) {
  const std::string report = expected::FullReport();
  for (const testing::StoredText& value : testing::PopulatedProductValues()) {
    const std::string shown = ExpectedReport::Escaped(value.text);
    const std::size_t first = report.find(shown);
    EXPECT_NE(first, std::string::npos) << value.name;
    EXPECT_EQ(report.find(shown, first + 1), std::string::npos) << value.name;
  }
}

}  // namespace
}  // namespace torvel
