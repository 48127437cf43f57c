#pragma once
#include <optional>
#include <string>

namespace tarnell {

// One channel's entry of a "PMTKCHN" line, as the channel table shows it.
struct ChannelEntry {
    std::string SvId;    // two characters as received, leading zero kept
    std::string Snr;     // two characters as received
    std::string Status;  // "Idle", "Searching", "Tracking"; empty: leave the shown status alone
};

// The entry of channel k + 1 (k from 0) at its fixed position in the line; none
// when its five characters do not all lie before the "*" (a short report).
std::optional<ChannelEntry> ChannelEntryAt(const std::string& line, int k);

}  // namespace tarnell
