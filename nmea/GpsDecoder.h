#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tarnell {

// Navigation fields and the decoders that fill them. The receiver's port object
// derives from this, so the decoders travel with the port as one object.
// Texts are byte strings: one byte per character, shown as Latin-1.
class GpsDecoder {
public:
    std::string AltitudeText;
    int32_t FixType = 0;
    std::array<uint8_t, 50> UsedInFix{};
    float Pdop = 0.0f;
    std::string NorthSouth;
    std::string EastWest;
    double UtcTimeNmea = 0.0;
    double LatitudeNmea = 0.0;
    double LongitudeNmea = 0.0;
    double SpeedKmh = 0.0;
    int32_t UtcDateNmea = 0;
    int32_t ZoneHours = 0;
    int32_t DayCarry = 0;

    bool VerifyChecksum(const uint8_t* bytes, int32_t count) const;

    void DecodeGga(const std::string& line);
    void DecodeRmc(const std::string& line);  // throws tarnell::Exception on a bad number
    void DecodeGsa(const std::string& line);  // throws tarnell::Exception on a bad number

    std::string FormatCoordinate(double v) const;
    std::string FormatLocalTime(int32_t t, float lon, const std::string& ew);
    std::string FormatLocalDate(int32_t d) const;
};

}  // namespace tarnell
