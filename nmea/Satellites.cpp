#include "nmea/Satellites.h"

#include "nmea/FieldScan.h"

namespace tarnell {

namespace {

// One character at a 1-based position, empty beyond the end.
std::string CharAt(const std::string& line, size_t position) {
    return line.substr(position - 1, 1);
}

}  // namespace

std::string DecodeGsv(const std::string& line, SatelliteTable& table) {
    const std::string total = line.size() >= 8 ? CharAt(line, 8) : std::string();
    const std::string number = line.size() >= 10 ? CharAt(line, 10) : std::string();

    // Every field text starts as "0", so an empty field reads as 0 and a
    // conversion default only applies to a text that is no integer at all.
    std::string fields[4] = {"0", "0", "0", "0"};  // number, elevation, azimuth, signal
    int count = 0;
    for (const char c : line) {
        if (c != ',' && c != '*') {
            if (count >= 4) fields[count - 4] += c;
            continue;
        }
        if (++count > 7) {
            count = 4;
            const int32_t n = IntegerOr(fields[0], 0);
            if (n >= 0 && n < static_cast<int32_t>(table.size())) {
                SatelliteRecord& r = table[static_cast<size_t>(n)];
                r.Elevation = IntegerOr(fields[1], 0);
                r.Azimuth = IntegerOr(fields[2], 0);
                r.Snr = IntegerOr(fields[3], 10);
                r.Present = 1;
            }
            for (std::string& f : fields) f = "0";
        }
        if (c == '*' && number == total) return "Show";
    }
    return "END";
}

}  // namespace tarnell
