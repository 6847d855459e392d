#include "machine/system_information.h"

#include <cfloat>
#include <cmath>

#include "machine/collector_failure.h"
#include "text/label_lines.h"

namespace torvel {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

std::string Megabytes(std::uint64_t bytes) {
  return MegabyteForm(static_cast<double>(bytes) / kBytesPerMegabyte) + " MB";
}

}  // namespace

std::string DriveRoot(const std::string& folder) {
  if (folder.starts_with("\\\\")) {
    // A share: "\\server\share\", whose size the free-space query gives.
    const std::size_t server_end = folder.find('\\', 2);
    const std::size_t share_end =
        server_end == std::string::npos ? server_end : folder.find('\\', server_end + 1);
    return folder.substr(0, share_end) + "\\";
  }
  std::string root = folder.substr(0, 2);
  if (auto space = root.find(' '); space != std::string::npos) root.erase(space);
  if (root.empty() || root.back() != '\\') root += '\\';
  return root;
}

long PixelsFromTwips(double twips, double twips_per_pixel) {
  // Divided before rounding: a fractional twips-per-pixel figure (7.5 at 192 dpi) would
  // otherwise be rounded first and shrink the resolution.
  if (!(twips_per_pixel > 0)) throw Failure(kDivisionByZero, "Division by zero");
  double pixels = std::nearbyint(twips / twips_per_pixel);
  if (!(std::fabs(pixels) <= 2147483647.0)) throw Failure(kOverflow, "Overflow");
  return static_cast<long>(pixels);
}

float DeviceColors(const Platform& p) {
  const std::int64_t exponent = static_cast<std::int64_t>(p.system.DeviceCaps(kCapsPlanes)) *
                                p.system.DeviceCaps(kCapsBitsPixel);
  const double colors = std::pow(2.0, static_cast<double>(exponent));
  if (colors > FLT_MAX) throw Failure(kOverflow, "Overflow");
  return static_cast<float>(colors);
}

void SystemInformation(const Platform& p, ReportStream& out) {
  RunCollector(p, "SystemInformation", [&] {
    const MemoryRecord memory = p.system.Memory();
    const std::string root = DriveRoot(p.files.ExeFolder());
    std::uint64_t disk_total = 0;
    std::uint64_t disk_free = 0;
    const bool disk_known = p.system.DiskSpace(root, &disk_total, &disk_free);
    auto disk = [disk_known](std::uint64_t bytes) {
      return disk_known ? Megabytes(bytes) : std::string("not available");
    };

    out.WriteLine(LabelLine("TOTAL PHYSICAL MEMORY:", Megabytes(memory.total_physical)));
    out.WriteLine(LabelLine("TOTAL AVAILABLE MEMORY:", Megabytes(memory.available_physical)));
    out.WriteLine(LabelLine("TOTAL PAGING MEMORY:", Megabytes(memory.total_paging)));
    out.WriteLine(LabelLine("TOTAL DISK SPACE:", disk(disk_total)));
    out.WriteLine(LabelLine("TOTAL FREE DISK SPACE:", disk(disk_free)));
    // The one label of the block that is 26 characters wide. A drive by its letter, a share by
    // its name.
    const std::string drive = root.size() > 3 ? root.substr(0, root.size() - 1) : root.substr(0, 2);
    out.WriteLine(PadLabel("CURRENT DRIVE:", 26) + EscapeHtml(drive) + "<br>");

    const ScreenMetrics screen = p.system.Screen();
    const long width = PixelsFromTwips(screen.width_twips, screen.twips_per_pixel_x);
    const long height = PixelsFromTwips(screen.height_twips, screen.twips_per_pixel_y);
    out.WriteLine(
        LabelLine("SCREEN RESOLUTION:", SignPosition(width) + " x " + SignPosition(height)));
    out.WriteLine(LabelLine("NUMBER OF COLORS:", SignPositionSingle(DeviceColors(p))));
  });
}

}  // namespace torvel
