#include "support/WorldStream.h"

#include "tools/tarnell-sim/World.h"

namespace {

constexpr std::int64_t kStartMs = 1714564800000;  // 2024-05-01T12:00:00Z

}  // namespace

std::vector<std::string> WorldSentences(int fixes, int fixIntervalMs, bool lostFix) {
    tarnell::sim::World world(tarnell::sim::Motion{}, kStartMs);
    if (lostFix) world.LoseFix(kStartMs, kStartMs + std::int64_t{fixes} * fixIntervalMs);
    std::vector<std::string> out;
    for (int i = 0; i < fixes; ++i)
        for (std::string& s : world.Fix(kStartMs + std::int64_t{i} * fixIntervalMs,
                                        static_cast<std::uint64_t>(i), tarnell::sim::DefaultRates()))
            out.push_back(std::move(s));
    return out;
}

std::string WorldStream(int fixes, int fixIntervalMs, bool lostFix) {
    std::string out;
    for (const std::string& s : WorldSentences(fixes, fixIntervalMs, lostFix)) out += s;
    return out;
}
