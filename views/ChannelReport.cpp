#include "views/ChannelReport.h"

#include <algorithm>

namespace tarnell {

std::optional<ChannelEntry> ChannelEntryAt(const std::string& line, int k) {
    // Entry k occupies the 1-based positions 10 + 6k to 14 + 6k.
    const size_t first = 9 + 6 * static_cast<size_t>(k);
    const size_t end = std::min(line.find('*'), line.size());
    if (k < 0 || first + 5 > end) return std::nullopt;

    ChannelEntry e{line.substr(first, 2), line.substr(first + 2, 2), {}};
    switch (line[first + 4]) {
        case '0':
            e.Status = "Idle";
            break;
        case '1':
            e.Status = "Searching";
            break;
        case '2':
            e.Status = "Tracking";
            break;
        default:
            break;
    }
    return e;
}

}  // namespace tarnell
