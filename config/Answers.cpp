#include "config/Answers.h"

#include <array>

#include "nmea/FieldScan.h"

namespace tarnell {

char CharAt(const std::string& line, std::size_t pos) {
    return pos >= 1 && pos <= line.size() ? line[pos - 1] : '\0';
}

int DigitValue(const std::string& line, std::size_t pos) {
    return static_cast<unsigned char>(CharAt(line, pos)) - '0';
}

namespace {

template <std::size_t N>
std::optional<int> ItemOf(std::string_view text, const std::array<std::string_view, N>& table) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == table[i]) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace

std::optional<int> SpeedItem(std::string_view prefix) {
    static constexpr std::array<std::string_view, 7> prefixes = {"480", "960", "144", "192",
                                                                 "384", "576", "115"};
    return ItemOf(prefix, prefixes);
}

OutputRates ParseOutputRates(const std::string& line) {
    // Field k of the answer is the single character at position 8 + 2k.
    const auto field = [&line](std::size_t k) { return DigitValue(line, 8 + 2 * k); };
    OutputRates r;
    r.gll = field(1);
    r.rmc = field(2);
    r.vtg = field(3);
    r.gga = field(4);
    r.gsa = field(5);
    r.gsv = field(6);
    r.zda = field(18);
    r.mchn = field(19);
    return r;
}

std::optional<int> ParseDgpsSource(const std::string& line) {
    const int v = DigitValue(line, 10);
    if (v >= 0 && v <= 2) return v;
    return std::nullopt;
}

std::optional<int> ParseRtcmSpeed(const std::string& line) {
    return SpeedItem(Fragment(line, 14, 3));
}

int ParseDatum(const std::string& line) {
    if (CharAt(line, 11) == '*') return DigitValue(line, 10);
    if (CharAt(line, 12) == '*') return 10 * DigitValue(line, 10) + DigitValue(line, 11);
    return 100 * DigitValue(line, 10) + 10 * DigitValue(line, 11) + DigitValue(line, 12);
}

std::optional<int> ParseSbasMode(const std::string& line) {
    switch (CharAt(line, 10)) {
        case '0':
            return 0;
        case '1':
            return 1;
        default:
            return std::nullopt;
    }
}

std::optional<int> ParseFixInterval(const std::string& line) {
    // The whole interval field is compared: by its first three digits alone, 100, 2000 or 5000 ms
    // would pass for 1, 5 or 2 Hz.
    static constexpr std::array<std::string_view, 5> intervals = {"1000", "500", "333", "250", "200"};
    std::size_t end = 10;
    while (end <= line.size() && line[end - 1] != ',' && line[end - 1] != '*') ++end;
    return ItemOf(Fragment(line, 10, end - 10), intervals);
}

StoredSettings ParseStoredSettings(const std::string& line) {
    return {DigitValue(line, 10), SpeedItem(Fragment(line, 14, 3))};
}

std::string ParseVersionText(const std::string& line) {
    std::size_t length = 0;
    for (std::size_t p = 10; p <= line.size(); ++p)
        if (line[p - 1] == '*') length = p - 10;
    return Fragment(line, 10, length);
}

AckOutcome Acknowledgement(std::string_view ackCommand, const std::string& line, int checkedDgps) {
    const bool ok = CharAt(line, 14) == '3';
    const auto box = [ok](const char* okText, const char* failText) {
        return ok ? AckOutcome{okText, "Send ok"} : AckOutcome{failText, "Error"};
    };
    if (ackCommand == "314") return box("Success!", "Failed!");
    if (ackCommand == "301") {
        if (!ok) return {"Failed!", "Error"};
        switch (checkedDgps) {
            case 2:
                return {"WAAS Enabled!", "Send ok"};
            case 1:
                return {"RTCM Enabled!", "Send ok"};
            case 0:
                return {"DGPS Disabled!", "Send ok"};
            default:
                return {};
        }
    }
    if (ackCommand == "330" || ackCommand == "319") return box("Changed Successfully!", "Failed!");
    if (ackCommand == "300" || ackCommand == "251") return box("Changed Successfully!", "Set Failed!");
    if (ackCommand == "160") return {nullptr, nullptr, ok};
    if (ackCommand == "220") return box("Change Fix rate Successful!", "Change Fix rate Failed!");
    if (ackCommand == "390") return box("Set Successful!", "Set Failed!");
    return {};
}

}  // namespace tarnell
