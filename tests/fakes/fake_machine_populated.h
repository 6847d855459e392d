#pragma once
// A fake machine on which every fact the report shows is present: user, computer, uptime,
// adapter, IP address, version, processor, memory, disks, screen, colours, temporary folder,
// PATH, TORVELK, every product with every value, the running host's answers and the three
// editions. The complete report for it is kept beside the unit tests.
#include <string>
#include <vector>

#include "fakes/fake_platform.h"

namespace torvel::testing {

// The folder the populated machine's tool runs from, and the report path that follows.
inline constexpr char kPopulatedFolder[] = "C:\\Program Files\\TORVEL";
inline constexpr char kPopulatedReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";

// The class name, date code and revision of the host on the populated machine.
inline constexpr char kPopulatedHostClass[] = "Partwright.Application";
inline constexpr std::int32_t kPopulatedDateCode = 20060315;
inline constexpr char kPopulatedRevision[] = "14.0.1102";

// One text value of the product sections as the populated machine stores it.
struct StoredText {
  RegKey root;
  const char* key;
  const char* name;
  const char* text;
};

// Every text value the product sections read, each distinct from the others and from every
// fixed text of the report.
const std::vector<StoredText>& PopulatedProductValues();

// The script of the host object: answers DateCode and RevisionNumber, accepts ExitApp.
void ScriptPopulatedHost(FakeAutomationObject& host);

// Fills `machine` with every fact.
void PopulateFullMachine(FakeMachine& machine);

}  // namespace torvel::testing
