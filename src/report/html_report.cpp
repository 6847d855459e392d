#include "report/html_report.h"

#include "machine/uptime.h"
#include "report/report_texts.h"
#include "text/app_info.h"
#include "text/fragments.h"
#include "text/label_lines.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

constexpr char kDateCodeLine[] = "<pre>Partwright Date Code:       ";
constexpr char kRevisionLine[] = "Partwright Revision Number:  ";
// Six lines in one write, so the line end of the write leaves an empty line after the note.
constexpr char kRevisionNote[] =
    "(NOTE: How to read the Partwright Revision Number?\r\n"
    "Partwright prior to 2000 =>  1.0.  | Partwright 2004          => 12.0.\r\n"
    "Partwright 2000          =>  8.0.  | Partwright 2005          => 13.0.\r\n"
    "Partwright 2001          =>  9.0.  | Partwright 2006          => 14.0.\r\n"
    "Partwright 2001Plus      => 10.0.  | Partwright 2006Plus      => 15.0.\r\n"
    "Partwright 2003          => 11.0.  | Etc.</pre>\r\n";

std::string Megabytes(std::uint64_t bytes) {
  return MegabyteForm(static_cast<double>(bytes) / kBytesPerMegabyte) + " MB";
}

// "Windows95 " (1), "Windows NT " (2), empty text for any other platform identifier.
std::string PlatformText(std::uint32_t platform_id) {
  switch (platform_id) {
    case 1:
      return "Windows95 ";
    case 2:
      return "Windows NT ";
    default:
      return {};
  }
}

// "386" and "486" for those types; every other type is reported as "586".
std::string ProcessorText(std::uint32_t type) {
  if (type == 386) return "386";
  if (type == 486) return "486";
  return "586";
}

// The private report's line, and which names it could replace only in their own lines.
std::string PrivateLine(const Privacy& privacy) {
  std::string line =
      "<p align=center>Names and addresses in this report are replaced (private report).";
  if (privacy.user_name_kept && privacy.computer_name_kept) {
    line +=
        " The user's and the computer's names are replaced on their own lines only: they are too "
        "short or too common to tell from other words.";
  } else if (privacy.user_name_kept || privacy.computer_name_kept) {
    line += std::string(" The ") + (privacy.user_name_kept ? "user's" : "computer's") +
            " name is replaced on its own line only: it is too short or too common to tell "
            "from other words.";
  }
  return line + "</p>";
}

void WriteReportHeader(const std::optional<Privacy>& privacy, ReportStream& out) {
  out.WriteLine("<h1 align=center>Information about TORVEL Products</h1>");
  if (privacy) out.WriteLine(PrivateLine(*privacy));
  out.WriteLine(std::string("<h2 align=center>") + kProductName + "</h2>");
  out.WriteLine("<h3 align=center>Version" + SignPosition(kVersionMajor) + "." +
                SignPosition(kVersionMinor) + "." + SignPosition(kVersionRevision) + "</h3>");
  out.WriteLine(std::string("<h3 align=center>") + kLegalNotice + "</h3>");
  out.WriteEmptyLine();
}

void WriteOsBlock(const OsFacts& os, ReportStream& out) {
  out.WriteLine(LabelLine("OPERATING SYSTEM:", PlatformText(os.platform_id)));
  out.WriteLine(LabelLine("VERSION:", PlainDecimal(os.major) + "." + PlainDecimal(os.minor)));
  out.WriteLine(LabelLine("BUILD:", PlainDecimal(os.build)));
  out.WriteLine(LabelLine("SERVICE PACK:", EscapeHtml(os.service_pack)));
  out.WriteLine(LabelLine("PROCESSOR :", ProcessorText(os.processor_type)));
  out.WriteLine(LabelLine("NUMBER OF PROCESSOR :", SignPosition(os.processor_count)));
  out.WriteLine(LabelLine("SYSTEM DATE :", EscapeHtml(os.date + " at " + os.time)));
}

// The lines read before a failure stay; those after it are left out.
void WriteResourceBlock(const ResourceFacts& r, ReportStream& out) {
  auto disk = [&r](std::uint64_t bytes) {
    return r.disk_known ? Megabytes(bytes) : std::string("not available");
  };
  out.WriteLine(LabelLine("TOTAL PHYSICAL MEMORY:", Megabytes(r.memory.total_physical)));
  out.WriteLine(LabelLine("TOTAL AVAILABLE MEMORY:", Megabytes(r.memory.available_physical)));
  out.WriteLine(LabelLine("TOTAL PAGING MEMORY:", Megabytes(r.memory.total_paging)));
  out.WriteLine(LabelLine("TOTAL DISK SPACE:", disk(r.disk_total)));
  out.WriteLine(LabelLine("TOTAL FREE DISK SPACE:", disk(r.disk_free)));
  // The one label of the block that is 26 characters wide. A drive by its letter, a share by
  // its name.
  const std::string& root = r.drive_root;
  const std::string drive = root.size() > 3 ? root.substr(0, root.size() - 1) : root.substr(0, 2);
  out.WriteLine(PadLabel("CURRENT DRIVE:", 26) + EscapeHtml(drive) + "<br>");
  if (!r.screen) return;
  out.WriteLine(LabelLine("SCREEN RESOLUTION:",
                          SignPosition(r.screen->width) + " x " + SignPosition(r.screen->height)));
  if (r.colors) out.WriteLine(LabelLine("NUMBER OF COLORS:", SignPositionSingle(*r.colors)));
}

void WriteMachineBlock(const MachineFacts& m, ReportStream& out) {
  // The user line opens the preformatted block; without a user name there is no such line.
  if (m.user_name) out.WriteLine("<pre>" + LabelLine("USER NAME:", EscapeHtml(*m.user_name)));
  out.WriteLine(LabelLine("COMPUTER NAME:", EscapeHtml(m.computer_name)));
  out.WriteLine(UptimeSentence(SystemRunning(m.uptime_ms)));
  out.WriteLine(LabelLine("Ethernet Address:", EscapeHtml(m.ethernet_address)));
  out.WriteLine(LabelLine("IP Address:", EscapeHtml(m.ip_address)));
  out.WriteEmptyLine();
  if (m.os) WriteOsBlock(*m.os, out);
  out.WriteEmptyLine();
  if (m.resources) WriteResourceBlock(*m.resources, out);
  out.WriteEmptyLine();
  out.WriteLine(LabelLine("TEMPORARY DIRECTORY :", EscapeHtml(m.temporary_directory.value_or(""))));
  out.WriteLine(LabelLine("PATH :", EscapeHtml(m.path.value_or(""))));
  out.WriteLine(LabelLine("TORVELK :", EscapeHtml(m.torvelk.value_or("")) + "</pre>"));
}

// Where the product headings' icons are loaded from, and each product's icon.
constexpr char kIconAddress[] = "http://support.example.com/WebHelp/woda/";

const char* IconFile(Product product) {
  switch (product) {
    case Product::kFrame:
      return "TFicon.jpg";
    case Product::kDraftPilot:
      return "DPIcon.jpg";
    case Product::kK:
      return "KIcon.jpg";
    case Product::kElx:
      return "ELXIcon.jpg";
    case Product::kAeroMesh:
      return "TAEIcon.jpg";
    case Product::kKinema:
      return "TKIcon.jpg";
  }
  return "";
}

// A label line of a block: the first opens its paragraph, the last closes it, the others end in
// a line break.
std::string SectionLabelLine(const SectionFacts& facts, const SectionLine& line, bool opens_block,
                             bool closes_block) {
  std::string text = opens_block ? kMonospaceBlockPrefix : "";
  text += EscapeHtml(PadLabel(line.text, line.width));
  for (std::size_t i = 0; i < line.names.size(); ++i) {
    // A value that cannot be read is written as empty text.
    const ValueRead* value = facts.Find(line.key, line.names[i]);
    if (value && value->text) text += EscapeHtml(*value->text);
    if (i < line.separators.size()) text += EscapeHtml(line.separators[i]);
  }
  return text + (closes_block ? "</p>" : "<br>");
}

void WriteSection(const SectionFacts& facts, ReportStream& out) {
  const ProductSection& section = facts.section;
  if (section.product_heading) {
    out.WriteEmptyLine();
    out.WriteLine(kSectionRule);
    out.WriteLine(std::string("<h3><img src=\"") + kIconAddress + IconFile(section.product) +
                  "\"> " + EscapeHtml(section.name) + "</h3>");
  }
  const std::vector<SectionLine>& lines = section.lines;
  const auto is_label = [&lines](std::size_t i) {
    return i < lines.size() && lines[i].kind == LineKind::kLabel;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const SectionLine& line = lines[i];
    switch (line.kind) {
      case LineKind::kEmpty:
        out.WriteEmptyLine();
        break;
      case LineKind::kHeading:
        out.WriteLine(kBoldHeadingPrefix + EscapeHtml(line.text) + "</p>");
        break;
      case LineKind::kLeadIn:
        out.WriteLine(kBoldHeadingPrefix + EscapeHtml(line.text) + "<br>");
        break;
      case LineKind::kNote:
        out.WriteLine("<p>" + EscapeHtml(line.text));
        break;
      case LineKind::kLabel:
        out.WriteLine(SectionLabelLine(facts, line, i == 0 || !is_label(i - 1), !is_label(i + 1)));
        break;
    }
  }
}

template <typename Answer>
std::string HostAnswer(const std::optional<Answer>& answer, const std::optional<ErrorInfo>& failure,
                       std::string (*form)(const Answer&)) {
  if (answer) return form(*answer);
  if (!failure) return "";
  return "not available: " + EscapeHtml(HostReason(*failure)) + " (" +
         ErrorCodeText(failure->code) + ")";
}

std::string DateCodeForm(const std::int64_t& code) { return SignPosition(code); }
std::string RevisionForm(const std::string& text) { return EscapeHtml(text); }

}  // namespace

void WriteProductSections(const ProductFacts& products, ReportStream& out) {
  for (const SectionFacts& section : products.sections) WriteSection(section, out);
}

void WriteHostSection(const HostFacts& host, ReportStream& out) {
  out.WriteLine(kSectionRule);
  out.WriteLine(std::string(kBoldHeadingPrefix) + "Partwright Information</p>");
  out.WriteLine(kDateCodeLine + HostAnswer(host.date_code, host.date_code_failure, DateCodeForm));
  out.WriteLine(kRevisionLine +
                HostAnswer(host.revision_number, host.revision_number_failure, RevisionForm));
  for (std::size_t i = 0; i < kReleaseYears.size(); ++i) {
    out.WriteLine(std::string("Partwright ") + kReleaseYears[i] + " Installed version: " +
                  std::string(EditionName(host.editions[i]).value_or("N/A")));
  }
  out.WriteEmptyLine();
  out.WriteLine(kRevisionNote);
}

std::string RenderHtml(const Facts& facts) {
  ReportStream out;
  out.WriteLine("<html>");
  out.WriteLine("<head>");
  out.WriteLine(kCharsetDeclaration);
  out.WriteLine(std::string("<title>Information about TORVEL Products - ") + kAppTitle +
                " Version " + VersionText() + "</title>");
  out.WriteLine("</head>");
  out.WriteLine("<body>");
  WriteReportHeader(facts.privacy, out);
  out.WriteEmptyLine();
  out.WriteEmptyLine();
  out.WriteLine(std::string(kBoldHeadingPrefix) + "User and System Information:</p>");
  out.WriteEmptyLine();
  WriteMachineBlock(facts.machine, out);
  WriteProductSections(facts.products, out);
  out.WriteEmptyLine();
  WriteHostSection(facts.host, out);
  out.WriteLine("</body>");
  return out.text();
}

}  // namespace torvel
