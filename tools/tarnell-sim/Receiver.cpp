#include "tools/tarnell-sim/Receiver.h"

#include <algorithm>

namespace tarnell::sim {

Rates DefaultRates() {
    Rates r{};
    r.fill(1);
    return r;
}

bool IsLineSpeed(int bps) {
    static constexpr int speeds[] = {4800, 9600, 14400, 19200, 38400, 57600, 115200};
    return std::find(std::begin(speeds), std::end(speeds), bps) != std::end(speeds);
}

}  // namespace tarnell::sim
