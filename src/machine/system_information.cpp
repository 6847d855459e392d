#include "machine/system_information.h"

#include <cfloat>
#include <cmath>

#include "machine/collector_failure.h"

namespace torvel {

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

float DeviceColors(std::int64_t bits) {
  const double colors = std::pow(2.0, static_cast<double>(bits));
  if (colors > FLT_MAX) throw Failure(kOverflow, "Overflow");
  return static_cast<float>(colors);
}

std::optional<ResourceFacts> SystemInformation(SystemFacts& system, Files& files,
                                               ProblemSink& problems) {
  std::optional<ResourceFacts> facts;
  RunCollector(problems, "SystemInformation", [&] {
    ResourceFacts read;
    read.memory = system.Memory();
    read.drive_root = DriveRoot(files.ExeFolder());
    const Result<DiskFigures> disk = system.DiskSpace(read.drive_root);
    read.disk_known = static_cast<bool>(disk);
    read.disk_total = disk ? disk->total : 0;
    read.disk_free = disk ? disk->free : 0;
    facts = read;
    const ScreenMetrics screen = system.Screen();
    const long width = PixelsFromTwips(screen.width_twips, screen.twips_per_pixel_x);
    const long height = PixelsFromTwips(screen.height_twips, screen.twips_per_pixel_y);
    facts->screen = ResourceFacts::Screen{width, height, 1440 / screen.twips_per_pixel_x,
                                          1440 / screen.twips_per_pixel_y};
    const std::int64_t bits = static_cast<std::int64_t>(system.DeviceCaps(kCapsPlanes)) *
                              system.DeviceCaps(kCapsBitsPixel);
    facts->color_bits = bits;
    facts->colors = DeviceColors(bits);
    return true;
  });
  return facts;
}

}  // namespace torvel
