#include "products/product_tables.h"

namespace torvel {

namespace {

constexpr char kInstalledOn[] = " - installed on: ";

constexpr char kFrame[] = "Software\\VRAX\\TORVEL/FRAME";
constexpr char kDraftPilot[] = "Software\\VRAX\\DraftPilot";
constexpr char kK[] = "Software\\VRAX\\TORVEL/K";
constexpr char kElx[] = "Software\\VRAX\\TORVEL/ELX\\ELX Current Version";
constexpr char kAeroMesh[] = "Software\\VRAX\\TORVELAeroMesh";
constexpr char kKinema[] = "Software\\VRAX\\TORVELKinema";

SectionLine Empty() { return SectionLine{}; }

SectionLine Text(LineKind kind, std::string text) {
  return SectionLine{kind, std::move(text), 0, "", {}, {}};
}

// A label line with one value.
SectionLine Label(std::string label, std::size_t width, std::string key, std::string name) {
  return SectionLine{LineKind::kLabel, std::move(label),  width,
                     std::move(key),   {std::move(name)}, {}};
}

// A label line with several values of one key and the separators after them.
SectionLine Label(std::string label, std::size_t width, std::string key,
                  std::vector<std::string> names, std::vector<std::string> separators) {
  return SectionLine{LineKind::kLabel, std::move(label), width,
                     std::move(key),   std::move(names), std::move(separators)};
}

// A product whose presence test is its own key under HKLM, where all its values are.
ProductSection HklmProduct(Product product, std::string name, const std::string& key,
                           std::vector<SectionLine> lines) {
  return ProductSection{product, std::move(name), RegRoot::kLocalMachine, key + "\\",
                        true,    std::move(lines)};
}

// One release block of the machine part of TORVELFrame: version key V, material key M and
// results key R below `base`. Only block 1 has a narrower installation folder label.
void AddFrameMachineBlock(std::vector<SectionLine>& lines, const std::string& release,
                          const std::string& base, std::size_t install_dir_width) {
  const std::string v = base + "\\Current Version";
  const std::string m = base + "\\Material";
  const std::string r = base + "\\Results";
  lines.push_back(Text(LineKind::kHeading, release + " (HKLM\\" + v + ")"));
  lines.push_back(Label("INSTALLDATE:", 24, v, "INSTALLDATE"));
  lines.push_back(Label("LOCALPATHNAME:", 24, v, "LOCALPATHNAME"));
  lines.push_back(Label("PATHNAME:", 24, v, "PATHNAME"));
  lines.push_back(Label("INSTALLATIONDIR:", install_dir_width, v, "INSTALLATIONDIR"));
  lines.push_back(Label("PARTWRIGHTPATH:", 24, v, "PARTWRIGHTPATH"));
  lines.push_back(Label("VERSION:", 24, v, {"VERSION", "SERVICE PACK", "BUILD"}, {" ", " (", ")"}));
  lines.push_back(Label("Material Lib. path:", 24, m, "LIBRARYFILE"));
  lines.push_back(Label("WORKPATHNAME:", 24, r, "WORKPATHNAME"));
  lines.push_back(Label("WorkReportPathName:", 24, r, "WorkReportPathName"));
}

ProductSection FrameUser() {
  const std::string results = std::string(kFrame) + "\\Results";
  return ProductSection{Product::kFrame,
                        "TORVELFrame",
                        RegRoot::kCurrentUser,
                        std::string(kFrame) + "\\",
                        true,
                        {
                            Text(LineKind::kLeadIn, "HKCU\\" + results),
                            Label("WORKPATHNAME:", 25, results, "WORKPATHNAME"),
                            Label("WorkReportPathName:", 25, results, "WorkReportPathName"),
                        }};
}

ProductSection FrameMachine() {
  const std::string frame = kFrame;
  std::vector<SectionLine> lines;
  AddFrameMachineBlock(lines, "TORVELFrame 2004 and before", frame, 23);
  lines.push_back(Empty());
  AddFrameMachineBlock(lines, "TORVELFrame 2005", frame + "\\TORVELFrame 2005", 24);
  lines.push_back(Empty());
  AddFrameMachineBlock(lines, "TORVELFrame 2006", frame + "\\TORVELFrame 2006", 24);
  ProductSection section = HklmProduct(Product::kFrame, "TORVELFrame", frame, std::move(lines));
  section.product_heading = false;
  return section;
}

ProductSection DraftPilot() {
  const std::string key = kDraftPilot;
  const std::string current = key + "\\DraftPilot Current Version";
  return HklmProduct(
      Product::kDraftPilot, "TORVELDraftPilot", key,
      {
          Text(LineKind::kHeading, "HKLM\\" + key),
          Label("PATHTODRAFTPILOT:", 24, key, "PATHTODRAFTPILOT"),
          Label("INSTALLDATE:", 24, current, "INSTALLDATE"),
          Label("VERSION (3.0 or 4.5):", 24, current, "VERSION"),
          Label("CURRENT_VERSION (4.0):", 24, current, "CURRENT_VERSION"),
          Label("BUILD:", 24, current, "BUILD"),
          Label("TEMP FILE DIRECTORY:", 24, key + "\\General", "TEMP FILE DIRECTORY"),
          Label("Material Lib. path :", 24, key + "\\Material", "LIBRARYFILE"),
      });
}

ProductSection K() {
  const std::string key = kK;
  const std::string current = key + "\\Current Version";
  return HklmProduct(
      Product::kK, "TORVELK", key,
      {
          Text(LineKind::kHeading, "HKLM\\" + key),
          Label("TORVELK Install Dir:", 23, key, {"INSTALLDIR", "DATE"}, {kInstalledOn}),
          Label("VERSION:", 23, key, {"VERSION", "BUILD"}, {" (", ")"}),
          // Generations before 2.9 kept their settings in a sub-key.
          Text(LineKind::kNote, "(for older versions - prior to 2.9) (HKLM\\" + current + ")"),
          Label("TORVELK Install Dir:", 23, current, {"INSTALLATIONDIR", "INSTALLDATE"},
                {kInstalledOn}),
          Label("VERSION:", 23, current, {"VERSION", "BUILD"}, {" (", ")"}),
      });
}

ProductSection Elx() {
  return HklmProduct(
      Product::kElx, "TORVELELX", "Software\\VRAX\\TORVEL/ELX",
      {
          Text(LineKind::kHeading, std::string("HKLM\\") + kElx),
          Label("TORVELELX Install Dir:", 24, kElx, {"PATHTOELX", "INSTALLDATE"}, {kInstalledOn}),
          Label("VERSION:", 24, kElx, {"VERSION", "BUILD"}, {" (", ")"}),
          Label("DRAFTPILOT PATH:", 23, kElx, "ASSOCIATED DRAFTPILOT PATH"),
      });
}

// A product that keeps one key per release year and one for the current release: the list of
// the years 2003 to 2006, then the current release's lines under their own heading.
ProductSection ReleaseYearProduct(Product product, std::string name, const std::string& key,
                                  const std::string& year_label, std::size_t year_width,
                                  std::vector<SectionLine> current) {
  std::vector<SectionLine> lines;
  lines.push_back(Text(LineKind::kHeading, "Installed versions (HKLM\\" + key + "\\200?)"));
  for (const char* year : {"2003", "2004", "2005", "2006"}) {
    lines.push_back(Label(year_label + year + " Install Dir:", year_width, key + "\\" + year,
                          {"Install Dir", "Date"}, {kInstalledOn}));
  }
  lines.push_back(Text(LineKind::kHeading, "Current version (HKLM\\" + key + "\\Current Version)"));
  lines.insert(lines.end(), current.begin(), current.end());
  return HklmProduct(product, std::move(name), key, std::move(lines));
}

ProductSection AeroMesh() {
  const std::string current = std::string(kAeroMesh) + "\\Current Version";
  return ReleaseYearProduct(Product::kAeroMesh, "TORVELAeroMesh", kAeroMesh, "TAM ", 23,
                            {
                                Label("INSTALLATIONDIR:", 23, current, "INSTALLATIONDIR"),
                                Label("INSTALLDATE:", 23, current, "INSTALLDATE"),
                                Label("LOCALPATHNAME:", 23, current, "LOCALPATHNAME"),
                                Label("PATHNAME:", 23, current, "PATHNAME"),
                                Label("PARTWRIGHTPATH:", 23, current, "PARTWRIGHTPATH"),
                                Label("VERSION:", 23, current, "VERSION"),
                                Label("BUILD:", 23, current, "BUILD"),
                            });
}

ProductSection Kinema() {
  const std::string current = std::string(kKinema) + "\\Current Version";
  return ReleaseYearProduct(
      Product::kKinema, "TORVELKinema", kKinema, "Kinema ", 26,
      {
          Label("INSTALLATIONDIR:", 23, current, "INSTALLATIONDIR"),
          Label("INSTALLDATE:", 23, current, "INSTALLDATE"),
          Label("LOCALPATHNAME:", 23, current, "LOCALPATHNAME"),
          Label("PARTWRIGHTPATH:", 23, current, "PARTWRIGHTPATH"),
          Label("VERSION:", 23, current, {"VERSION", "SERVICE PACK", "BUILD"}, {" ", " (", ")"}),
      });
}

ProductSection TestedAt(ProductSection section, int presence_test) {
  section.presence_test = presence_test;
  return section;
}

}  // namespace

const std::vector<ProductSection>& ProductSections() {
  // Written in this order; the presence tests run Kinema and AeroMesh before ELX.
  static const std::vector<ProductSection> sections = {
      TestedAt(FrameUser(), 0), TestedAt(FrameMachine(), 1), TestedAt(DraftPilot(), 2),
      TestedAt(K(), 3),         TestedAt(Elx(), 6),          TestedAt(AeroMesh(), 5),
      TestedAt(Kinema(), 4),
  };
  return sections;
}

}  // namespace torvel
