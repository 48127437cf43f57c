#include "nmea/Satellites.h"

namespace tarnell {

std::string DecodeGsv(const std::string&, SatelliteTable&) { return "END"; }

}  // namespace tarnell
