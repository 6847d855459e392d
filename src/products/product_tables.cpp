#include "products/product_tables.h"

namespace torvel {

namespace {

constexpr char kBr[] = "<br>";
constexpr char kEndP[] = "</p>";
constexpr char kInstalledOn[] = " - installed on: ";

constexpr char kFrame[] = "Software\\VRAX\\TORVEL/FRAME";
constexpr char kDraftPilot[] = "Software\\VRAX\\DraftPilot";
constexpr char kK[] = "Software\\VRAX\\TORVEL/K";
constexpr char kElx[] = "Software\\VRAX\\TORVEL/ELX\\ELX Current Version";
constexpr char kAeroMesh[] = "Software\\VRAX\\TORVELAeroMesh";
constexpr char kKinema[] = "Software\\VRAX\\TORVELKinema";

SectionLine Empty() { return SectionLine{}; }

SectionLine Heading(std::string text) {
  return SectionLine{LineKind::kHeading, std::move(text), 0, "", {}, {}, ""};
}

SectionLine Note(std::string text) {
  return SectionLine{LineKind::kNote, std::move(text), 0, "", {}, {}, ""};
}

// A label line with one value.
SectionLine LabelRow(std::string label, std::size_t width, std::string key, std::string name,
                     std::string ending) {
  return SectionLine{LineKind::kLabel, std::move(label),  width,
                     std::move(key),   {std::move(name)}, {},
                     std::move(ending)};
}

// A label line with several values of one key and the separators between them.
SectionLine LabelRow(std::string label, std::size_t width, std::string key,
                     std::vector<std::string> names, std::vector<std::string> separators,
                     std::string ending) {
  return SectionLine{LineKind::kLabel, std::move(label), width,
                     std::move(key),   std::move(names), std::move(separators),
                     std::move(ending)};
}

// One release block of the machine part of TORVELFrame: version key V, material key M and
// results key R below `base`. Only block 1 has a narrower installation folder label.
void AddFrameMachineBlock(std::vector<SectionLine>& lines, const std::string& heading,
                          const std::string& base, std::size_t install_dir_width) {
  const std::string v = base + "\\Current Version";
  const std::string m = base + "\\Material";
  const std::string r = base + "\\Results";
  lines.push_back(Heading(heading));
  lines.push_back(LabelRow("INSTALLDATE:", 24, v, "INSTALLDATE", kBr));
  lines.push_back(LabelRow("LOCALPATHNAME:", 24, v, "LOCALPATHNAME", kBr));
  lines.push_back(LabelRow("PATHNAME:", 24, v, "PATHNAME", kBr));
  lines.push_back(LabelRow("INSTALLATIONDIR:", install_dir_width, v, "INSTALLATIONDIR", kBr));
  lines.push_back(LabelRow("PARTWRIGHTPATH:", 24, v, "PARTWRIGHTPATH", kBr));
  lines.push_back(LabelRow("VERSION:", 24, v, {"VERSION", "SERVICE PACK", "BUILD"}, {" ", " ("},
                           std::string(")") + kBr));
  lines.push_back(LabelRow("Material Lib. path:", 24, m, "LIBRARYFILE", kBr));
  lines.push_back(LabelRow("WORKPATHNAME:", 24, r, "WORKPATHNAME", kBr));
  lines.push_back(LabelRow("WorkReportPathName:", 24, r, "WorkReportPathName", kEndP));
}

ProductSection FrameUser() {
  const std::string results = std::string(kFrame) + "\\Results";
  return ProductSection{
      "HKCU",
      std::string(kFrame) + "\\",
      "TFicon.jpg",
      "TORVELFrame",
      "HKCU",
      {
          Heading("HKCU\\Software\\VRAX\\TORVEL/FRAME\\Results<br>"),
          LabelRow("WORKPATHNAME:", 25, results, "WORKPATHNAME", kBr),
          LabelRow("WorkReportPathName:", 25, results, "WorkReportPathName", kEndP),
      }};
}

ProductSection FrameMachine() {
  const std::string frame = kFrame;
  const std::string release_2005 = frame + "\\TORVELFrame 2005";
  const std::string release_2006 = frame + "\\TORVELFrame 2006";
  std::vector<SectionLine> lines;
  AddFrameMachineBlock(
      lines,
      "TORVELFrame 2004 and before (HKLM\\Software\\VRAX\\TORVEL/FRAME\\Current Version)</p>",
      frame, 23);
  lines.push_back(Empty());
  AddFrameMachineBlock(lines,
                       "TORVELFrame 2005 (HKLM\\Software\\VRAX\\TORVEL/FRAME\\TORVELFrame "
                       "2005\\Current Version)</p>",
                       release_2005, 24);
  lines.push_back(Empty());
  AddFrameMachineBlock(lines,
                       "TORVELFrame 2006 (HKLM\\Software\\VRAX\\TORVEL/FRAME\\TORVELFrame "
                       "2006\\Current Version)</p>",
                       release_2006, 24);
  return ProductSection{"HKLM", frame + "\\", "", "TORVELFrame", "HKLM", std::move(lines)};
}

ProductSection DraftPilot() {
  const std::string key = kDraftPilot;
  const std::string current = key + "\\DraftPilot Current Version";
  return ProductSection{
      "HKLM",
      key + "\\",
      "DPIcon.jpg",
      "TORVELDraftPilot",
      "HKLM",
      {
          Heading("HKLM\\Software\\VRAX\\DraftPilot</p>"),
          LabelRow("PATHTODRAFTPILOT:", 24, key, "PATHTODRAFTPILOT", kBr),
          LabelRow("INSTALLDATE:", 24, current, "INSTALLDATE", kBr),
          LabelRow("VERSION (3.0 or 4.5):", 24, current, "VERSION", kBr),
          LabelRow("CURRENT_VERSION (4.0):", 24, current, "CURRENT_VERSION", kBr),
          LabelRow("BUILD:", 24, current, "BUILD", kBr),
          LabelRow("TEMP FILE DIRECTORY:", 24, key + "\\General", "TEMP FILE DIRECTORY", kBr),
          LabelRow("Material Lib. path :", 24, key + "\\Material", "LIBRARYFILE", kEndP),
      }};
}

ProductSection K() {
  const std::string key = kK;
  const std::string current = key + "\\Current Version";
  return ProductSection{
      "HKLM",
      key + "\\",
      "KIcon.jpg",
      "TORVELK",
      "HKLM",
      {
          Heading("HKLM\\Software\\VRAX\\TORVEL/K</p>"),
          LabelRow("TORVELK Install Dir:", 23, key, {"INSTALLDIR", "DATE"}, {kInstalledOn}, kBr),
          LabelRow("VERSION:", 23, key, {"VERSION", "BUILD"}, {" ("}, std::string(")") + kEndP),
          // Generations before 2.9 kept their settings in a sub-key.
          Note("<p>(for older versions - prior to 2.9) "
               "(HKLM\\Software\\VRAX\\TORVEL/K\\Current Version)"),
          LabelRow("TORVELK Install Dir:", 23, current, {"INSTALLATIONDIR", "INSTALLDATE"},
                   {kInstalledOn}, kBr),
          LabelRow("VERSION:", 23, current, {"VERSION", "BUILD"}, {" ("}, std::string(")") + kEndP),
      }};
}

ProductSection Elx() {
  return ProductSection{
      "HKLM",
      "Software\\VRAX\\TORVEL/ELX\\",
      "ELXIcon.jpg",
      "TORVELELX",
      "HKLM",
      {
          Heading("HKLM\\Software\\VRAX\\TORVEL/ELX\\ELX Current Version</p>"),
          LabelRow("TORVELELX Install Dir:", 24, kElx, {"PATHTOELX", "INSTALLDATE"}, {kInstalledOn},
                   kBr),
          LabelRow("VERSION:", 24, kElx, {"VERSION", "BUILD"}, {" ("}, std::string(")") + kBr),
          LabelRow("DRAFTPILOT PATH:", 23, kElx, "ASSOCIATED DRAFTPILOT PATH", kEndP),
      }};
}

// A product that keeps one key per release year and one for the current release: the list of
// the years 2003 to 2006, then the current release's lines under their own heading.
ProductSection ReleaseYearProduct(const std::string& key, const std::string& icon,
                                  const std::string& name, const std::string& year_label,
                                  std::size_t year_width, std::vector<SectionLine> current) {
  std::vector<SectionLine> lines;
  lines.push_back(Heading("Installed versions (HKLM\\" + key + "\\200?)</p>"));
  for (const char* year : {"2003", "2004", "2005", "2006"}) {
    const bool last = std::string(year) == "2006";
    lines.push_back(LabelRow(year_label + year + " Install Dir:", year_width, key + "\\" + year,
                             {"Install Dir", "Date"}, {kInstalledOn}, last ? kEndP : kBr));
  }
  lines.push_back(Heading("Current version (HKLM\\" + key + "\\Current Version)</p>"));
  lines.insert(lines.end(), current.begin(), current.end());
  return ProductSection{"HKLM", key + "\\", icon, name, "HKLM", std::move(lines)};
}

ProductSection AeroMesh() {
  const std::string current = std::string(kAeroMesh) + "\\Current Version";
  return ReleaseYearProduct(kAeroMesh, "TAEIcon.jpg", "TORVELAeroMesh", "TAM ", 23,
                            {
                                LabelRow("INSTALLATIONDIR:", 23, current, "INSTALLATIONDIR", kBr),
                                LabelRow("INSTALLDATE:", 23, current, "INSTALLDATE", kBr),
                                LabelRow("LOCALPATHNAME:", 23, current, "LOCALPATHNAME", kBr),
                                LabelRow("PATHNAME:", 23, current, "PATHNAME", kBr),
                                LabelRow("PARTWRIGHTPATH:", 23, current, "PARTWRIGHTPATH", kBr),
                                LabelRow("VERSION:", 23, current, "VERSION", kBr),
                                LabelRow("BUILD:", 23, current, "BUILD", kEndP),
                            });
}

ProductSection Kinema() {
  const std::string current = std::string(kKinema) + "\\Current Version";
  return ReleaseYearProduct(
      kKinema, "TKIcon.jpg", "TORVELKinema", "Kinema ", 26,
      {
          LabelRow("INSTALLATIONDIR:", 23, current, "INSTALLATIONDIR", kBr),
          LabelRow("INSTALLDATE:", 23, current, "INSTALLDATE", kBr),
          LabelRow("LOCALPATHNAME:", 23, current, "LOCALPATHNAME", kBr),
          LabelRow("PARTWRIGHTPATH:", 23, current, "PARTWRIGHTPATH", kBr),
          LabelRow("VERSION:", 23, current, {"VERSION", "SERVICE PACK", "BUILD"}, {" ", " ("},
                   std::string(")") + kEndP),
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
