#include "views/SkyPlan.h"

#include <cmath>
#include <numbers>

namespace tarnell {

namespace {
constexpr int32_t kCentre = 76;
constexpr double kHorizon = 60.0;  // pixels from the centre at elevation 0
}  // namespace

SkyPoint MarkerCentre(int32_t elevation, int32_t azimuth) {
    const double el = elevation * std::numbers::pi / 180;
    const double az = azimuth * std::numbers::pi / 180;
    // The casts truncate toward zero, as the pixel grid wants.
    return {static_cast<int32_t>(kCentre + kHorizon * std::sin(az) * std::cos(el)),
            static_cast<int32_t>(kCentre - kHorizon * std::cos(az) * std::cos(el))};
}

std::vector<SkyMark> TakeSkyMarks(SatelliteTable& table, const std::array<uint8_t, 50>& usedInFix,
                                  const std::string& fixMode) {
    const bool fixed = fixMode == "3D" || fixMode == "2D";
    std::vector<SkyMark> marks;
    for (size_t n = 1; n < table.size(); ++n) {
        SatelliteRecord& r = table[n];
        if (r.Present != 1 && r.Snr <= 8) continue;
        const SkyPoint c = MarkerCentre(r.Elevation, r.Azimuth);
        const int32_t number = static_cast<int32_t>(n);
        marks.push_back(
            {number, r.Snr, fixed && usedInFix[n] != 0, c, {c.x - (number <= 9 ? 2 : 5), c.y - 6}});
        r.Present = 0;
        r.Snr = 0;
    }
    return marks;
}

}  // namespace tarnell
