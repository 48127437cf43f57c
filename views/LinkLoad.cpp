#include "views/LinkLoad.h"

#include <charconv>

namespace tarnell {

namespace {

constexpr int32_t kSpeeds[7] = {4800, 9600, 14400, 19200, 38400, 57600, 115200};

// Bits per fix that one output of each sentence takes (GSV: the whole group), by port speed.
// Columns: GLL, RMC, VTG, GSA, GSV, GGA, ZDA, MCHN.
constexpr float kCost[7][8] = {
    {600.0f, 748.8f, 408.0f, 648.0f, 2582.4f, 758.4f, 499.2f, 2030.4f},
    {604.8f, 748.8f, 412.8f, 652.8f, 2582.4f, 758.4f, 499.2f, 2025.6f},
    {604.8f, 748.8f, 403.2f, 648.0f, 2577.6f, 763.2f, 504.0f, 2030.4f},
    {595.2f, 748.8f, 403.2f, 652.8f, 2572.8f, 768.0f, 499.2f, 2035.2f},
    {614.4f, 768.0f, 422.4f, 652.8f, 2572.8f, 768.0f, 499.2f, 2035.2f},
    {576.0f, 748.8f, 403.2f, 633.6f, 2592.0f, 748.8f, 518.4f, 2016.0f},
    {576.0f, 806.4f, 460.8f, 691.2f, 2534.4f, 806.4f, 460.8f, 2073.6f},
};

}  // namespace

std::optional<LinkLoad> ComputeLinkLoad(int speedItem, int fixItem, const std::array<int, 8>& rateItems) {
    if (speedItem < 0 || speedItem > 6 || fixItem < 0 || fixItem > 4) return std::nullopt;
    const int32_t fixRate = fixItem + 1;
    double bits = 0.0;
    for (size_t i = 0; i < rateItems.size(); ++i)
        if (rateItems[i] != 0) bits += kCost[speedItem][i];
    // Worked in double and rounded once to single precision.
    return LinkLoad{static_cast<float>(bits * 100 * fixRate / kSpeeds[speedItem]), fixRate};
}

std::string LoadText(float load) {
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(load), std::chars_format::fixed, 1);
    return std::string(buf, r.ptr);
}

}  // namespace tarnell
