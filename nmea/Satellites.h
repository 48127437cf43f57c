#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tarnell {

struct SatelliteRecord {
    int32_t Present = 0;
    int32_t Elevation = 0;
    int32_t Azimuth = 0;
    int32_t Snr = 0;
};

// Indexed by satellite number 0..49.
using SatelliteTable = std::array<SatelliteRecord, 50>;

// Files the satellites of one "GPGSV" line; "Show" after the last message of a group, else "END".
std::string DecodeGsv(const std::string& line, SatelliteTable& table);

}  // namespace tarnell
