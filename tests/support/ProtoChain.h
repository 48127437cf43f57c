#pragma once
#include <cstdint>
#include <string>

#include "link/LineBuffer.h"
#include "nmea/GpsDecoder.h"
#include "nmea/Satellites.h"

// The receive chain of the main pump without the window: framer, checksum and
// the dispatch into the decoders, formatters, answer parsers and channel
// entries, with conversion errors caught per line as the window catches them.
// Shared by the fuzz targets and the benchmarks, so both drive the same work.
class ProtoChain {
public:
    void Feed(const uint8_t* bytes, int32_t count);
    // One verified line, as the dispatch receives it (it may empty the line).
    void Dispatch(std::string& line);

    tarnell::GpsDecoder Gps;
    tarnell::SatelliteTable Satellites{};
    std::string Line;
    tarnell::LineBuffer Copy;
    std::string FixMode;  // what the fix mode field would show
    int CheckedDgps = -1;
    bool Display = true;  // also make the display texts and the sky view's marks, as the window does

    uint64_t Lines = 0;     // line feeds seen
    uint64_t Verified = 0;  // lines that passed their checksum
    uint64_t Errors = 0;    // conversion errors reported
    uint64_t Redraws = 0;   // complete satellite groups
    uint64_t Shown = 0;     // bytes of display text made, so the work cannot be optimised away
};
