#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnell::sim {

// What a reader whose port is set to `readBps` makes of one sentence sent at
// `sentBps`: a reader that samples faster sees each character's long bits as
// several bytes of mostly set or cleared bits, a slower one sees a few wrong
// bytes for many. The line gaps let its UART find the start bit again, so the
// result still ends in CR LF, but it never carries a "*": no line of it can pass
// a checksum. `seed` advances with each call, so a run is repeatable.
std::string Garble(std::string_view sentence, int sentBps, int readBps, std::uint64_t& seed);

// The next value of a small repeatable pseudo-random sequence.
std::uint64_t NextRandom(std::uint64_t& seed);
// The same sequence as a number in [0, 1).
double NextChance(std::uint64_t& seed);

}  // namespace tarnell::sim
