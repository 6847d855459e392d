#pragma once
#include <string>

#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The memory, disk and display block: eight label lines. A failure while collecting is shown
// by the collectors' failure handler; the lines written before it stay.
void SystemInformation(const Platform& p, ReportStream& out);

// Number of colours of the main window's display: 2 to the power (planes x bits per pixel),
// in single precision.
float DeviceColors(const Platform& p);

// The root queried for disk space: the drive of the tool's folder ("D:\"), or its share
// ("\\server\share\").
std::string DriveRoot(const std::string& folder);

// Pixels from the screen's twips: the whole number nearest to twips / twips per pixel.
// Throws Failure (division by zero) when twips per pixel is not positive.
long PixelsFromTwips(double twips, double twips_per_pixel);

}  // namespace torvel
