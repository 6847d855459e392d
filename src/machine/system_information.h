#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "machine/machine_facts.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/system_facts.h"

namespace torvel {

// Memory, disk and display; none when the first of them cannot be had, and only what was read
// before a later failure (the problem reported).
std::optional<ResourceFacts> SystemInformation(SystemFacts& system, Files& files,
                                               ProblemSink& problems);

// Number of colours of the main window's display: 2 to the power `bits`, in single precision.
float DeviceColors(std::int64_t bits);

// The root queried for disk space: the drive of the tool's folder ("D:\"), or its share
// ("\\server\share\").
std::string DriveRoot(const std::string& folder);

// Pixels from the screen's twips: the whole number nearest to twips / twips per pixel.
// Throws Failure (division by zero) when twips per pixel is not positive.
long PixelsFromTwips(double twips, double twips_per_pixel);

}  // namespace torvel
