#include "fakes/fake_machine_populated.h"

#include <algorithm>

namespace torvel::testing {

namespace {

// The values of one key, by name.
struct StoredKey {
  RegKey root;
  const char* key;
  std::vector<std::pair<const char*, const char*>> values;
};

}  // namespace

const std::vector<StoredText>& PopulatedProductValues() {
  static const std::vector<StoredText> values = [] {
    const StoredKey keys[] = {
        {kHkeyCurrentUser,
         "Software\\VRAX\\TORVEL/FRAME\\Results",
         {{"WORKPATHNAME", "H:\\Frame Jobs"}, {"WorkReportPathName", "H:\\Frame Job Reports"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\Current Version",
         {{"INSTALLDATE", "11/4/2003"},
          {"LOCALPATHNAME", "C:\\TF04\\Local"},
          {"PATHNAME", "\\\\fileserver\\tf04"},
          {"INSTALLATIONDIR", "C:\\Program Files\\TF 2004"},
          {"PARTWRIGHTPATH", "C:\\Program Files\\Partwright 2004"},
          {"VERSION", "4.20"},
          {"SERVICE PACK", "SP3"},
          {"BUILD", "b0217"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\Material",
         {{"LIBRARYFILE", "C:\\TF04\\Lib\\steel.mtl"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\Results",
         {{"WORKPATHNAME", "D:\\Frame04 Work"}, {"WorkReportPathName", "D:\\Frame04 Reports"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2005\\Current Version",
         {{"INSTALLDATE", "9/30/2004"},
          {"LOCALPATHNAME", "C:\\TF05\\Local"},
          {"PATHNAME", "\\\\fileserver\\tf05"},
          {"INSTALLATIONDIR", "C:\\Program Files\\TF 2005"},
          {"PARTWRIGHTPATH", "C:\\Program Files\\Partwright 2005"},
          {"VERSION", "5.10"},
          {"SERVICE PACK", "SP1"},
          {"BUILD", "b0388"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2005\\Material",
         {{"LIBRARYFILE", "C:\\TF05\\Lib\\alloys.mtl"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2005\\Results",
         {{"WORKPATHNAME", "D:\\Frame05 Work"}, {"WorkReportPathName", "D:\\Frame05 Reports"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2006\\Current Version",
         {{"INSTALLDATE", "10/12/2005"},
          {"LOCALPATHNAME", "C:\\TF06\\Local"},
          {"PATHNAME", "\\\\fileserver\\tf06"},
          {"INSTALLATIONDIR", "C:\\Program Files\\TF 2006"},
          {"PARTWRIGHTPATH", "C:\\Program Files\\Partwright 2006"},
          {"VERSION", "6.00"},
          {"SERVICE PACK", "SP2"},
          {"BUILD", "b0451"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2006\\Material",
         {{"LIBRARYFILE", "C:\\TF06\\Lib\\composites.mtl"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2006\\Results",
         {{"WORKPATHNAME", "D:\\R&D <Frame 2006>"}, {"WorkReportPathName", "D:\\Frame06 Reports"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\DraftPilot",
         {{"PATHTODRAFTPILOT", "C:\\Program Files\\DraftPilot"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\DraftPilot\\DraftPilot Current Version",
         {{"INSTALLDATE", "2/2/2006"},
          {"VERSION", "4.51"},
          {"CURRENT_VERSION", "4.0.2"},
          {"BUILD", "dp-1207"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\DraftPilot\\General",
         {{"TEMP FILE DIRECTORY", "C:\\DraftPilot Temp"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\DraftPilot\\Material",
         {{"LIBRARYFILE", "C:\\DraftPilot Lib\\default.mtl"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/K",
         {{"INSTALLDIR", "C:\\Program Files\\TORVEL K 3"},
          {"DATE", "6/1/2006"},
          {"VERSION", "3.1"},
          {"BUILD", "k3101"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/K\\Current Version",
         {{"INSTALLATIONDIR", "C:\\Program Files\\TORVEL K 2"},
          {"INSTALLDATE", "3/8/2002"},
          {"VERSION", "2.8"},
          {"BUILD", "k2805"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVEL/ELX\\ELX Current Version",
         {{"PATHTOELX", "C:\\Program Files\\TORVEL ELX"},
          {"INSTALLDATE", "4/19/2006"},
          {"VERSION", "1.7"},
          {"BUILD", "elx-170-33"},
          {"ASSOCIATED DRAFTPILOT PATH", "D:\\Apps\\DraftPilot 4"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELAeroMesh\\2003",
         {{"Install Dir", "C:\\TAM\\v3"}, {"Date", "1/15/2003"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELAeroMesh\\2004",
         {{"Install Dir", "C:\\TAM\\v4"}, {"Date", "1/20/2004"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELAeroMesh\\2005",
         {{"Install Dir", "C:\\TAM\\v5"}, {"Date", "2/1/2005"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELAeroMesh\\2006",
         {{"Install Dir", "C:\\TAM\\v6"}, {"Date", "1/9/2006"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELAeroMesh\\Current Version",
         {{"INSTALLATIONDIR", "C:\\TAM\\current"},
          {"INSTALLDATE", "1/10/2006"},
          {"LOCALPATHNAME", "C:\\TAM Local"},
          {"PATHNAME", "\\\\fileserver\\aeromesh"},
          {"PARTWRIGHTPATH", "C:\\Partwright\\2006 for TAM"},
          {"VERSION", "2006.1"},
          {"BUILD", "tam-6014"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELKinema\\2003",
         {{"Install Dir", "C:\\Kinema\\r3"}, {"Date", "3/3/2003"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELKinema\\2004",
         {{"Install Dir", "C:\\Kinema\\r4"}, {"Date", "3/4/2004"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELKinema\\2005",
         {{"Install Dir", "C:\\Kinema\\r5"}, {"Date", "3/5/2005"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELKinema\\2006",
         {{"Install Dir", "C:\\Kinema\\r6"}, {"Date", "3/6/2006"}}},
        {kHkeyLocalMachine,
         "Software\\VRAX\\TORVELKinema\\Current Version",
         {{"INSTALLATIONDIR", "C:\\Kinema\\current"},
          {"INSTALLDATE", "3/7/2006"},
          {"LOCALPATHNAME", "C:\\Kinema Local"},
          {"PARTWRIGHTPATH", "C:\\Partwright\\2006 for Kinema"},
          {"VERSION", "2006.2"},
          {"SERVICE PACK", "Service Pack 4"},
          {"BUILD", "kin-6209"}}},
    };
    std::vector<StoredText> flat;
    for (const StoredKey& key : keys) {
      for (const auto& [name, text] : key.values) flat.push_back({key.root, key.key, name, text});
    }
    return flat;
  }();
  return values;
}

void ScriptPopulatedHost(FakeAutomationObject& host) {
  host.Returns("DateCode", kPopulatedDateCode)
      .Returns("RevisionNumber", std::string(kPopulatedRevision))
      .Returns("ExitApp", AutoValue());
}

void PopulateFullMachine(FakeMachine& machine) {
  FakeIdentity& identity = machine.identity;
  identity.user_name = "j.smith";
  identity.computer_name = "DESIGN-07";
  identity.temp_path = "C:\\Users\\j.smith\\AppData\\Local\\Temp\\";
  identity.environment = {
      {"PATH",
       "C:\\Windows\\system32;C:\\Windows;C:\\Program Files (x86)\\R&D Tools\\bin;"
       "C:\\Program Files\\TORVEL"},
      {"TORVELK", "27000@licence-server"},
  };

  // Beyond 49.7 days, so that only the 64-bit count gives the right uptime.
  machine.clock.ticks = 5'000'000'000;

  FakeNetwork& network = machine.network;
  network.netbios = HardwareAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  network.adapter_list = HardwareAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5F};
  network.host_name = "DESIGN-07";
  network.hosts = {{"DESIGN-07", {192, 168, 10, 27}}};

  FakeSystemInfo& system = machine.system;
  system.version = OsVersionRecord{6, 1, 7601, 2, {}};
  const std::string service_pack = "Service Pack 1";
  std::copy(service_pack.begin(), service_pack.end(), system.version.service_pack.begin());
  system.processor = ProcessorRecord{8664, 8};
  // 6144.5 MB available: the half is rounded away from zero.
  system.memory = MemoryRecord{17179869184ull, 6442975232ull, 25769803776ull};
  system.disks = {{"C:\\", {2000396746752ull, 733176086528ull}}};
  system.screen = ScreenMetrics{1920 * 15, 1080 * 15, 15, 15};
  system.device_caps = {{kCapsPlanes, 1}, {kCapsBitsPixel, 24}};
  system.date = "3/14/2026";
  system.time = "9:26:53 AM";

  machine.files.exe_folder = kPopulatedFolder;

  for (const StoredText& value : PopulatedProductValues()) {
    machine.registry.SetString(value.root, value.key, value.name, value.text);
  }
  const char* setup_keys[] = {"Software\\Partwright\\Partwright 2004\\Setup",
                              "Software\\Partwright\\Partwright 2005\\Setup",
                              "Software\\Partwright\\Partwright 2006\\Setup"};
  for (std::uint32_t edition = 1; edition <= 3; ++edition) {
    machine.registry.SetDword(kHkeyLocalMachine, setup_keys[edition - 1],
                              "Partwright Studio Installed", edition);
  }

  machine.automation.AddClass(kPopulatedHostClass, ScriptPopulatedHost);
}

}  // namespace torvel::testing
