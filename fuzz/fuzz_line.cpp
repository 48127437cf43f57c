// Any single verified line through every answer parser, the acknowledgement
// table and the channel entries. The input becomes a line that passes its
// checksum: its bytes up to the first "*" get their own digits, whatever
// followed the old digits stays, and a line feed ends it, as the framer
// delivers lines. So mutations never die on the checksum.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "config/Answers.h"
#include "config/Sentence.h"
#include "nmea/Exception.h"
#include "nmea/GpsDecoder.h"
#include "support/ProtoChain.h"
#include "views/ChannelReport.h"

using namespace tarnell;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::string VerifiedLine(const uint8_t* data, std::size_t size) {
    std::string in(reinterpret_cast<const char*>(data), size);
    in = in.substr(0, in.find('\n'));
    const std::size_t star = in.find('*');
    std::string body = in.substr(0, star);
    if (body.empty()) body = "$";
    std::string tail = star == std::string::npos ? std::string() : in.substr(star + 1);
    tail.erase(0, std::min<std::size_t>(2, tail.size()));
    return body + '*' + ChecksumText(body.data(), body.size()) + tail + '\n';
}

bool IsStatus(const std::string& s) {
    return s.empty() || s == "Idle" || s == "Searching" || s == "Tracking";
}

template <class T>
bool Within(const std::optional<T>& v, T low, T high) {
    return !v || (*v >= low && *v <= high);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string line = VerifiedLine(data, size);
    const GpsDecoder gps;
    Check(
        gps.VerifyChecksum(reinterpret_cast<const uint8_t*>(line.data()), static_cast<int32_t>(line.size())));

    (void)ParseOutputRates(line);
    (void)ParseDatum(line);
    Check(Within(ParseDgpsSource(line), 0, 2));
    Check(Within(ParseRtcmSpeed(line), 0, 6));
    Check(Within(ParseSbasMode(line), 0, 1));
    Check(Within(ParseFixInterval(line), 0, 4));
    Check(Within(ParseStoredSettings(line).speedItem, 0, 6));

    // The version text is the line from position 10 up to a "*".
    const std::string version = ParseVersionText(line);
    if (!version.empty())
        Check(line.size() > 9 + version.size() && line.compare(9, version.size(), version) == 0 &&
              line[9 + version.size()] == '*');

    for (int k = 0; k < 32; ++k) {
        const auto entry = ChannelEntryAt(line, k);
        if (!entry) continue;
        Check(entry->SvId.size() == 2 && entry->Snr.size() == 2 && IsStatus(entry->Status));
        Check(line.compare(9 + 6 * static_cast<std::size_t>(k), 2, entry->SvId) == 0);
    }

    for (const char* command : {"314", "301", "330", "319", "300", "251", "160", "220", "390", "101"})
        for (int dgps = -1; dgps <= 2; ++dgps) {
            const AckOutcome ack = Acknowledgement(command, line, dgps);
            Check((ack.text == nullptr) == (ack.caption == nullptr));
        }

    // And the whole dispatch, standard sentences included.
    ProtoChain chain;
    try {
        chain.Dispatch(line);
    } catch (const Exception&) {
    }
    return 0;
}
