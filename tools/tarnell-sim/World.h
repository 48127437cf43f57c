#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/tarnell-sim/Receiver.h"

namespace tarnell::sim {

// Where the receiver starts and how it moves.
struct Motion {
    double latDeg = 25.0478;   // north positive
    double lonDeg = 121.5319;  // east positive
    double altM = 12.0;
    double speedKmh = 36.0;
    double headingDeg = 45.0;  // course over ground, from true north
};

struct Satellite {
    int prn = 0;
    int elevation = 0;
    int azimuth = 0;
    int snr = 0;  // 0: not tracked
    bool used = false;
};

struct Position {
    double latDeg = 0;
    double lonDeg = 0;
};

// The simulated sky and the receiver's journey, as functions of UTC time in
// milliseconds since the epoch, so the same time always gives the same sentences.
class World {
public:
    World(const Motion& motion, std::int64_t startMs) : motion_(motion), startMs_(startMs) {}

    // The complete sentences of the fix at `utcMs`, the `fixNumber`-th since start,
    // each sentence present when its rate divides the fix number.
    std::vector<std::string> Fix(std::int64_t utcMs, std::uint64_t fixNumber, const Rates& rates) const;

    // A restart: no fix until `untilMs`, satellites reacquired along the way.
    void LoseFix(std::int64_t fromMs, std::int64_t untilMs);
    bool HasFix(std::int64_t utcMs) const { return utcMs >= noFixUntil_; }

    Position At(std::int64_t utcMs) const;
    // The satellites in view (at most 12, highest first), their signals and their use in the fix.
    std::vector<Satellite> Sky(std::int64_t utcMs) const;

private:
    Motion motion_;
    std::int64_t startMs_;
    std::int64_t noFixFrom_ = 0;
    std::int64_t noFixUntil_ = 0;
};

}  // namespace tarnell::sim
