#include "tools/tarnell-sim/Wire.h"

#include <algorithm>

namespace tarnell::sim {

namespace {
// Long enough to look like a line, short enough that a reader keeps it as one.
constexpr std::size_t kMaxGarbled = 300;
}  // namespace

std::uint64_t NextRandom(std::uint64_t& seed) {
    // splitmix64
    std::uint64_t z = (seed += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double NextChance(std::uint64_t& seed) {
    return static_cast<double>(NextRandom(seed) >> 11) / 9007199254740992.0;
}

std::string Garble(std::string_view sentence, int sentBps, int readBps, std::uint64_t& seed) {
    while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r'))
        sentence.remove_suffix(1);
    std::string out;
    if (readBps > sentBps) {
        // Each sent character lasts several read characters: runs of ones and zeros.
        static const unsigned char slowBits[] = {0x00, 0x80, 0xC0, 0xE0, 0xF0, 0xF8,
                                                 0xFC, 0xFE, 0xFF, 0x78, 0x1E};
        const int per = std::clamp(readBps / std::max(sentBps, 1), 1, 3);
        for (char c : sentence)
            for (int k = 0; k < per; ++k) {
                const std::uint64_t r = NextRandom(seed) ^ static_cast<unsigned char>(c);
                out += static_cast<char>(slowBits[r % sizeof slowBits]);
            }
    } else {
        // Several sent characters pass within one read character: a few wrong bytes.
        const std::size_t skip = static_cast<std::size_t>(std::clamp(sentBps / std::max(readBps, 1), 1, 24));
        for (std::size_t i = 0; i < sentence.size(); i += skip) {
            const std::uint64_t r = NextRandom(seed);
            out += static_cast<char>(static_cast<unsigned char>(sentence[i]) ^ (r % 255 + 1));
        }
    }
    for (char& c : out)
        if (c == '*' || c == '\n' || c == '\r') c = static_cast<char>(c ^ 0x40);
    if (out.size() > kMaxGarbled) out.resize(kMaxGarbled);
    return out + "\r\n";
}

}  // namespace tarnell::sim
