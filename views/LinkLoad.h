#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tarnell {

struct LinkLoad {
    float Load;       // percent of the link's capacity
    int32_t FixRate;  // fixes per second
};

// The share of the link that the receiver's NMEA output takes. `speedItem` picks
// 4800 ... 115200 bit/s (items 0 to 6), `fixItem` 1 ... 5 Hz (items 0 to 4);
// `rateItems` are the selected items of the GLL, RMC, VTG, GSA, GSV, GGA, ZDA and
// MCHN rate boxes, where anything but item 0 (none selected too) switches the
// sentence on. None when the speed or the fix rate is not one of the listed items.
std::optional<LinkLoad> ComputeLinkLoad(int speedItem, int fixItem, const std::array<int, 8>& rateItems);

// The load as shown: one digit after the point, whatever the locale.
std::string LoadText(float load);

}  // namespace tarnell
