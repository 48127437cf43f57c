#include "nmea/GpsDecoder.h"

#include "config/Sentence.h"
#include "nmea/FieldScan.h"

namespace tarnell {

namespace {

// ASCII letters only: the process locale must not turn other bytes into digits.
char AsciiUpper(uint8_t c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

}  // namespace

bool GpsDecoder::VerifyChecksum(const uint8_t* bytes, int32_t count) const {
    // The first byte is never summed, whatever it is.
    int32_t star = 1;
    while (star < count && bytes[star] != '*') ++star;
    if (star + 2 >= count) return false;
    const std::string expected =
        ChecksumText(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(star));
    return expected[0] == AsciiUpper(bytes[star + 1]) && expected[1] == AsciiUpper(bytes[star + 2]);
}

void GpsDecoder::DecodeGga(const std::string& line) {
    ScanFields(line, ",*", false, [this](int field, const std::string& text) {
        if (field == 10) AltitudeText = text;
    });
}

void GpsDecoder::DecodeRmc(const std::string& line) {
    // Each field is stored as soon as it closes, so a bad later field leaves the earlier ones set.
    ScanFields(line, ",*", true, [this](int field, const std::string& text) {
        switch (field) {
            case 2:
                UtcTimeNmea = StrictDecimal(text);
                break;
            case 4:
                LatitudeNmea = StrictDecimal(text);
                break;
            case 5:
                NorthSouth = text;
                break;
            case 6:
                LongitudeNmea = StrictDecimal(text);
                break;
            case 7:
                EastWest = text;
                break;
            case 8:
                SpeedKmh = StrictDecimal(text) * 1.852;
                break;
            case 10:
                UtcDateNmea = StrictInteger(text);
                break;
            default:
                break;
        }
    });
}

void GpsDecoder::DecodeGsa(const std::string& line) {
    // "*" is no delimiter here: the field before it (VDOP) is never closed.
    ScanFields(line, ",", false, [this](int field, const std::string& text) {
        if (field == 3) {
            FixType = StrictInteger(text);
        } else if (field >= 4 && field <= 15) {
            const int32_t n = StrictInteger(text);
            if (n > 0 && n < 50) UsedInFix[static_cast<std::size_t>(n)] = 1;
        } else if (field == 16) {
            Pdop = static_cast<float>(StrictDecimal(text));
        }
    });
}

}  // namespace tarnell
