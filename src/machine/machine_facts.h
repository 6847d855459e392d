#pragma once
// What the machine collectors return: figures in base units, as read, and texts as the system
// gives them. Formatting them is the renderers' work.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_facts.h"

namespace torvel {

// The operating system and processor, and when the report was made in the user's forms.
struct OsFacts {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;  // the low word of the version record's build number
  std::uint32_t platform_id = 0;
  std::string service_pack;
  std::uint32_t processor_type = 0;
  std::uint32_t processor_count = 0;
  std::string date;
  std::string time;
};

// Memory, the disk of the tool's folder and the display. A collector that failed half-way has
// what it had read by then.
struct ResourceFacts {
  MemoryRecord memory;
  std::string drive_root;  // "C:\" or "\\server\share\"
  bool disk_known = false;
  std::uint64_t disk_total = 0;
  std::uint64_t disk_free = 0;
  struct Screen {
    long width = 0;  // pixels
    long height = 0;
    double dpi_x = 0;
    double dpi_y = 0;
  };
  std::optional<Screen> screen;
  std::optional<std::int64_t> color_bits;  // planes times bits per pixel
  std::optional<float> colors;
};

struct MachineFacts {
  std::optional<std::string> user_name;  // none when its collector failed
  std::string computer_name;
  std::uint64_t uptime_ms = 0;
  std::string ethernet_address;  // twelve hexadecimal digits
  std::string ip_address;        // empty when it could not be had
  std::optional<OsFacts> os;
  std::optional<ResourceFacts> resources;
  std::optional<std::string> temporary_directory;  // none when its collector failed
  std::optional<std::string> path;                 // none when unset or unreadable
  std::optional<std::string> torvelk;
};

}  // namespace torvel
