#pragma once
// The product portion of the report as it should read, written out line by line from the
// product sections' own texts, for the native tests against the fake registry and for the
// end-to-end test against the Wine registry. Each builder stores the values it shows through
// a ProductMachine, so the machine and the expected text come from one place.
#include <functional>
#include <initializer_list>
#include <string>

#include "products/product_tables.h"
#include "report/fragments.h"

namespace torvel::expected {

class ProductMachine {
 public:
  // Stores one text value in the registry being built.
  using Store = std::function<void(const std::string& root, const std::string& key,
                                   const std::string& name, const std::string& text)>;
  // Says whether a value is installed; a value that is not shows as empty text.
  using Filter = std::function<bool(const std::string& key, const std::string& name)>;

  ProductMachine(Store store, Filter filter)
      : store_(std::move(store)), filter_(std::move(filter)) {}

  // Every value is distinct, so a value shown on the wrong line is caught. The work paths hold
  // characters that must reach the report escaped.
  std::string V(const std::string& root, const std::string& key, const std::string& name) {
    // Numbered whether installed or not, so that a value reads the same under any filter.
    const std::string n = std::to_string(++counter_);
    if (!filter_(key, name)) return "";
    if (name == "WORKPATHNAME") {
      store_(root, key, name, "D:\\R&D <" + n + ">");
      return "D:\\R&amp;D &lt;" + n + "&gt;";
    }
    store_(root, key, name, "v" + n + " " + name);
    return "v" + n + " " + name;
  }

 private:
  Store store_;
  Filter filter_;
  int counter_ = 0;
};

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline const std::string kMono = kMonospaceBlockPrefix;
inline const std::string kBold = kBoldHeadingPrefix;

inline std::string Opening(const std::string& icon, const std::string& name) {
  return Lines({"", kSectionRule,
                std::string("<h3><img src=\"") + kIconBaseAddress + "WebHelp/woda/" + icon +
                    "\"> " + name + "</h3>"});
}

inline std::string FrameUser(ProductMachine& m) {
  const std::string r = "Software\\VRAX\\TORVEL/FRAME\\Results";
  return Opening("TFicon.jpg", "TORVELFrame") +
         Lines({
             kBold + "HKCU\\Software\\VRAX\\TORVEL/FRAME\\Results<br>",
             kMono + "WORKPATHNAME:            " + m.V("HKCU", r, "WORKPATHNAME") + "<br>",
             "WorkReportPathName:      " + m.V("HKCU", r, "WorkReportPathName") + "</p>",
         });
}

inline std::string FrameMachine(ProductMachine& m) {
  const struct {
    std::string heading;
    std::string base;
    std::string install_dir_label;
  } blocks[] = {
      {"TORVELFrame 2004 and before (HKLM\\Software\\VRAX\\TORVEL/FRAME\\Current Version)</p>",
       "Software\\VRAX\\TORVEL/FRAME", "INSTALLATIONDIR:       "},
      {"TORVELFrame 2005 (HKLM\\Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2005\\Current "
       "Version)</p>",
       "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2005", "INSTALLATIONDIR:        "},
      {"TORVELFrame 2006 (HKLM\\Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2006\\Current "
       "Version)</p>",
       "Software\\VRAX\\TORVEL/FRAME\\TORVELFrame 2006", "INSTALLATIONDIR:        "},
  };
  std::string text;
  for (const auto& b : blocks) {
    const std::string v = b.base + "\\Current Version";
    const std::string mat = b.base + "\\Material";
    const std::string r = b.base + "\\Results";
    if (!text.empty()) text += Lines({""});
    // Values are taken in line order, one statement per line.
    std::string l1 = kBold + b.heading;
    std::string l2 = kMono + "INSTALLDATE:            " + m.V("HKLM", v, "INSTALLDATE") + "<br>";
    std::string l3 = "LOCALPATHNAME:          " + m.V("HKLM", v, "LOCALPATHNAME") + "<br>";
    std::string l4 = "PATHNAME:               " + m.V("HKLM", v, "PATHNAME") + "<br>";
    std::string l5 = b.install_dir_label + m.V("HKLM", v, "INSTALLATIONDIR") + "<br>";
    std::string l6 = "PARTWRIGHTPATH:         " + m.V("HKLM", v, "PARTWRIGHTPATH") + "<br>";
    std::string l7 = "VERSION:                " + m.V("HKLM", v, "VERSION");
    l7 += " " + m.V("HKLM", v, "SERVICE PACK");
    l7 += " (" + m.V("HKLM", v, "BUILD") + ")<br>";
    std::string l8 = "Material Lib. path:     " + m.V("HKLM", mat, "LIBRARYFILE") + "<br>";
    std::string l9 = "WORKPATHNAME:           " + m.V("HKLM", r, "WORKPATHNAME") + "<br>";
    std::string l10 = "WorkReportPathName:     " + m.V("HKLM", r, "WorkReportPathName") + "</p>";
    text += Lines({l1, l2, l3, l4, l5, l6, l7, l8, l9, l10});
  }
  return text;
}

inline std::string DraftPilot(ProductMachine& m) {
  const std::string k = "Software\\VRAX\\DraftPilot";
  const std::string c = k + "\\DraftPilot Current Version";
  std::string l5 = kMono + "PATHTODRAFTPILOT:       " + m.V("HKLM", k, "PATHTODRAFTPILOT") + "<br>";
  std::string l6 = "INSTALLDATE:            " + m.V("HKLM", c, "INSTALLDATE") + "<br>";
  std::string l7 = "VERSION (3.0 or 4.5):   " + m.V("HKLM", c, "VERSION") + "<br>";
  std::string l8 = "CURRENT_VERSION (4.0):  " + m.V("HKLM", c, "CURRENT_VERSION") + "<br>";
  std::string l9 = "BUILD:                  " + m.V("HKLM", c, "BUILD") + "<br>";
  std::string l10 =
      "TEMP FILE DIRECTORY:    " + m.V("HKLM", k + "\\General", "TEMP FILE DIRECTORY") + "<br>";
  std::string l11 =
      "Material Lib. path :    " + m.V("HKLM", k + "\\Material", "LIBRARYFILE") + "</p>";
  return Opening("DPIcon.jpg", "TORVELDraftPilot") +
         Lines({kBold + "HKLM\\Software\\VRAX\\DraftPilot</p>", l5, l6, l7, l8, l9, l10, l11});
}

inline std::string K(ProductMachine& m) {
  const std::string k = "Software\\VRAX\\TORVEL/K";
  const std::string c = k + "\\Current Version";
  std::string l5 = kMono + "TORVELK Install Dir:   " + m.V("HKLM", k, "INSTALLDIR");
  l5 += " - installed on: " + m.V("HKLM", k, "DATE") + "<br>";
  std::string l6 = "VERSION:               " + m.V("HKLM", k, "VERSION");
  l6 += " (" + m.V("HKLM", k, "BUILD") + ")</p>";
  std::string l7 =
      "<p>(for older versions - prior to 2.9) (HKLM\\Software\\VRAX\\TORVEL/K\\Current Version)";
  std::string l8 = kMono + "TORVELK Install Dir:   " + m.V("HKLM", c, "INSTALLATIONDIR");
  l8 += " - installed on: " + m.V("HKLM", c, "INSTALLDATE") + "<br>";
  std::string l9 = "VERSION:               " + m.V("HKLM", c, "VERSION");
  l9 += " (" + m.V("HKLM", c, "BUILD") + ")</p>";
  return Opening("KIcon.jpg", "TORVELK") +
         Lines({kBold + "HKLM\\Software\\VRAX\\TORVEL/K</p>", l5, l6, l7, l8, l9});
}

inline std::string Elx(ProductMachine& m) {
  const std::string c = "Software\\VRAX\\TORVEL/ELX\\ELX Current Version";
  std::string l5 = kMono + "TORVELELX Install Dir:  " + m.V("HKLM", c, "PATHTOELX");
  l5 += " - installed on: " + m.V("HKLM", c, "INSTALLDATE") + "<br>";
  std::string l6 = "VERSION:                " + m.V("HKLM", c, "VERSION");
  l6 += " (" + m.V("HKLM", c, "BUILD") + ")<br>";
  std::string l7 =
      "DRAFTPILOT PATH:       " + m.V("HKLM", c, "ASSOCIATED DRAFTPILOT PATH") + "</p>";
  return Opening("ELXIcon.jpg", "TORVELELX") +
         Lines({kBold + "HKLM\\Software\\VRAX\\TORVEL/ELX\\ELX Current Version</p>", l5, l6, l7});
}

// The year block shared in form by both release-year products; `labels` are the four labels.
inline std::string YearLines(ProductMachine& m, const std::string& key,
                             const std::string (&labels)[4]) {
  const char* years[] = {"2003", "2004", "2005", "2006"};
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const std::string y = key + "\\" + years[i];
    std::string line = (i == 0 ? kMono : "") + labels[i] + m.V("HKLM", y, "Install Dir");
    line += " - installed on: " + m.V("HKLM", y, "Date") + (i == 3 ? "</p>" : "<br>");
    text += Lines({line});
  }
  return text;
}

inline std::string AeroMesh(ProductMachine& m) {
  const std::string k = "Software\\VRAX\\TORVELAeroMesh";
  const std::string c = k + "\\Current Version";
  const std::string labels[4] = {"TAM 2003 Install Dir:  ", "TAM 2004 Install Dir:  ",
                                 "TAM 2005 Install Dir:  ", "TAM 2006 Install Dir:  "};
  std::string text =
      Opening("TAEIcon.jpg", "TORVELAeroMesh") +
      Lines({kBold + "Installed versions (HKLM\\Software\\VRAX\\TORVELAeroMesh\\200?)</p>"}) +
      YearLines(m, k, labels);
  std::string l9 =
      kBold + "Current version (HKLM\\Software\\VRAX\\TORVELAeroMesh\\Current Version)</p>";
  std::string l10 = kMono + "INSTALLATIONDIR:       " + m.V("HKLM", c, "INSTALLATIONDIR") + "<br>";
  std::string l11 = "INSTALLDATE:           " + m.V("HKLM", c, "INSTALLDATE") + "<br>";
  std::string l12 = "LOCALPATHNAME:         " + m.V("HKLM", c, "LOCALPATHNAME") + "<br>";
  std::string l13 = "PATHNAME:              " + m.V("HKLM", c, "PATHNAME") + "<br>";
  std::string l14 = "PARTWRIGHTPATH:        " + m.V("HKLM", c, "PARTWRIGHTPATH") + "<br>";
  std::string l15 = "VERSION:               " + m.V("HKLM", c, "VERSION") + "<br>";
  std::string l16 = "BUILD:                 " + m.V("HKLM", c, "BUILD") + "</p>";
  return text + Lines({l9, l10, l11, l12, l13, l14, l15, l16});
}

inline std::string Kinema(ProductMachine& m) {
  const std::string k = "Software\\VRAX\\TORVELKinema";
  const std::string c = k + "\\Current Version";
  const std::string labels[4] = {"Kinema 2003 Install Dir:  ", "Kinema 2004 Install Dir:  ",
                                 "Kinema 2005 Install Dir:  ", "Kinema 2006 Install Dir:  "};
  std::string text =
      Opening("TKIcon.jpg", "TORVELKinema") +
      Lines({kBold + "Installed versions (HKLM\\Software\\VRAX\\TORVELKinema\\200?)</p>"}) +
      YearLines(m, k, labels);
  std::string l9 =
      kBold + "Current version (HKLM\\Software\\VRAX\\TORVELKinema\\Current Version)</p>";
  std::string l10 = kMono + "INSTALLATIONDIR:       " + m.V("HKLM", c, "INSTALLATIONDIR") + "<br>";
  std::string l11 = "INSTALLDATE:           " + m.V("HKLM", c, "INSTALLDATE") + "<br>";
  std::string l12 = "LOCALPATHNAME:         " + m.V("HKLM", c, "LOCALPATHNAME") + "<br>";
  std::string l13 = "PARTWRIGHTPATH:        " + m.V("HKLM", c, "PARTWRIGHTPATH") + "<br>";
  std::string l14 = "VERSION:               " + m.V("HKLM", c, "VERSION");
  l14 += " " + m.V("HKLM", c, "SERVICE PACK");
  l14 += " (" + m.V("HKLM", c, "BUILD") + ")</p>";
  return text + Lines({l9, l10, l11, l12, l13, l14});
}

// Every product with every value.
inline std::string FullInstall(ProductMachine& m) {
  std::string text = FrameUser(m);
  text += FrameMachine(m);
  text += DraftPilot(m);
  text += K(m);
  text += Elx(m);
  text += AeroMesh(m);
  text += Kinema(m);
  return text;
}

}  // namespace torvel::expected
