#include "nmea/GpsDecoder.h"

namespace tarnell {

bool GpsDecoder::VerifyChecksum(const uint8_t*, int32_t) const { return false; }
void GpsDecoder::DecodeGga(const std::string&) {}
void GpsDecoder::DecodeRmc(const std::string&) {}
void GpsDecoder::DecodeGsa(const std::string&) {}
std::string GpsDecoder::FormatCoordinate(double) const { return {}; }
std::string GpsDecoder::FormatLocalTime(int32_t, float, const std::string&) { return {}; }
std::string GpsDecoder::FormatLocalDate(int32_t) const { return {}; }

}  // namespace tarnell
