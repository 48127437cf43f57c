#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nmea/Satellites.h"

namespace tarnell {

// Pixel of the sky view bitmap, x to the right, y downward.
struct SkyPoint {
    int32_t x;
    int32_t y;
    bool operator==(const SkyPoint&) const = default;
};

// Where a satellite at this elevation and azimuth (whole degrees) has its marker centre.
SkyPoint MarkerCentre(int32_t elevation, int32_t azimuth);

// One satellite as the sky view and the signal chart show it.
struct SkyMark {
    int32_t Number;
    int32_t Snr;
    bool Used;        // used in a 2D or 3D fix
    SkyPoint Centre;  // of its disc
    SkyPoint TextAt;  // top-left corner of its number
};

// Takes the satellites to show out of the table, in increasing number: those
// reported since the last redraw or with a signal above 8. Their Present and
// Snr are consumed, so a satellite missing from the next group disappears.
// `fixMode` is the fix mode text as shown; only "2D" and "3D" make flags count.
std::vector<SkyMark> TakeSkyMarks(SatelliteTable& table, const std::array<uint8_t, 50>& usedInFix,
                                  const std::string& fixMode);

}  // namespace tarnell
