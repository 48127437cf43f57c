#include "tools/tarnell-sim/Interpreter.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "config/Sentence.h"

namespace tarnell::sim {

namespace {

// Acknowledgement flags.
constexpr int kInvalid = 0;
constexpr int kUnsupported = 1;
constexpr int kFailed = 2;
constexpr int kDone = 3;

std::optional<int> Integer(std::string_view text) {
    int v = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || p != end) return std::nullopt;
    return v;
}

std::optional<int> InRange(std::string_view text, int lo, int hi) {
    auto v = Integer(text);
    if (!v || *v < lo || *v > hi) return std::nullopt;
    return v;
}

// A speed field of the flash write: empty (keep the stored one) or a line speed.
bool SpeedFieldOk(std::string_view text) {
    if (text.empty()) return true;
    auto v = Integer(text);
    return v && IsLineSpeed(*v);
}

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto comma = text.find(',');
        out.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return out;
        text.remove_prefix(comma + 1);
    }
}

bool HexEqual(char a, char b) {
    const auto up = [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; };
    return up(a) == up(b);
}

std::string Ack(std::string_view command, int flag) {
    return CompleteSentence("$PMTK001," + std::string(command) + "," + std::to_string(flag));
}

std::string Join(const std::initializer_list<int>& values) {
    std::string out;
    for (int v : values) out += "," + std::to_string(v);
    return out;
}

}  // namespace

std::vector<std::string> CommandInterpreter::Feed(std::string_view bytes) {
    std::vector<std::string> replies;
    for (char c : bytes) {
        // A "$" starts a sentence wherever it stands, as a receiver resynchronises on it.
        if (c == '$') {
            line_.clear();
            overlong_ = false;
        }
        if (c == '\n') {
            if (!overlong_)
                for (std::string& r : Handle(line_)) replies.push_back(std::move(r));
            line_.clear();
            overlong_ = false;
            continue;
        }
        if (overlong_) continue;
        if (line_.size() == kMaxLine) {
            overlong_ = true;
            line_.clear();
            continue;
        }
        line_ += c;
    }
    return replies;
}

std::vector<std::string> CommandInterpreter::Handle(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto star = line.rfind('*');
    if (line.empty() || line.front() != '$' || star == std::string_view::npos || line.size() != star + 3)
        return {};
    const std::string sum = ChecksumText(line.data(), star);
    if (!HexEqual(sum[0], line[star + 1]) || !HexEqual(sum[1], line[star + 2])) return {};

    std::string_view body = line.substr(0, star);
    if (body.substr(0, 5) != "$PMTK") return {};
    body.remove_prefix(5);
    const auto comma = body.find(',');
    const std::string_view type = body.substr(0, comma);
    std::vector<std::string_view> fields;
    if (comma != std::string_view::npos) fields = Split(body.substr(comma + 1));

    const auto number = type.size() == 3 ? Integer(type) : std::nullopt;
    if (!number || *number < 0) return {Ack(type, kInvalid)};
    if (std::string answer = Answer(*number); !answer.empty()) return {answer};
    char text[4];
    std::snprintf(text, sizeof text, "%03d", *number);
    return {Ack(text, Apply(*number, fields))};
}

// The answer to a query; empty when `query` is none.
std::string CommandInterpreter::Answer(int query) const {
    const Rates& r = rx_.rates;
    const StoredSettings& s = rx_.stored;
    std::string body;
    switch (query) {
        case 400:
            body = "$PMTK500" + Join({rx_.fixIntervalMs, 0, 0, 0, 0});
            break;
        case 401:
            body = "$PMTK501" + Join({rx_.dgps});
            break;
        case 414:
            body = "$PMTK514" + Join({r[kGll], r[kRmc], r[kVtg], r[kGga], r[kGsa], r[kGsv], 0, 0, 0, 0, 0, 0,
                                      0, 0, 0, 0, 0, r[kZda], r[kMchn]});
            break;
        case 419:
            body = "$PMTK519" + Join({rx_.sbasMode});
            break;
        case 430:
            body = "$PMTK530" + Join({rx_.datum});
            break;
        case 490:
            body = "$PMTK590," + std::to_string(rx_.flashWritesLeft) + "," + std::to_string(s.fixHz) + "," +
                   s.baud +
                   Join({s.rates[kGll], s.rates[kRmc], s.rates[kVtg], s.rates[kGsa], s.rates[kGsv],
                         s.rates[kGga], s.rates[kZda], s.rates[kMchn], s.dgps, s.datum}) +
                   "," + s.rtcmBaud;
            break;
        case 602:
            body = "$PMTK702" + Join({rx_.dgps, 0, rx_.rtcmBaud});
            break;
        case 604:
            body = "$PMTK704," + rx_.firmwareDetail;
            break;
        case 605:
            body = "$PMTK705," + rx_.firmware;
            break;
        default:
            return {};
    }
    return CompleteSentence(body);
}

// Carries out a command; the acknowledgement flag.
int CommandInterpreter::Apply(int command, const std::vector<std::string_view>& f) {
    const auto one = [&](int lo, int hi) { return f.size() == 1 ? InRange(f[0], lo, hi) : std::nullopt; };
    const bool failing = rx_.failing.count(command) > 0;
    switch (command) {
        case 101:
        case 102:
        case 103:
            if (failing) return kFailed;
            rx_.restartRequest = command;
            return kDone;
        case 160: {
            auto v = one(-9999, 9999);
            if (!v) return kInvalid;
            if (failing) return kFailed;
            rx_.lowCurrent = *v;
            return kDone;
        }
        case 188: {
            if (!one(-9999, 9999)) return kInvalid;
            if (failing) return kFailed;
            rx_.wakeRequest = true;
            return kDone;
        }
        case 251: {
            auto v = f.size() == 1 ? Integer(f[0]) : std::nullopt;
            if (!v || !IsLineSpeed(*v)) return kInvalid;
            if (failing) return kFailed;
            rx_.baud = *v;
            return kDone;
        }
        case 300: {
            if (f.size() != 5 || !InRange(f[0], 100, 10000)) return kInvalid;
            for (std::size_t i = 1; i < 5; ++i)
                if (!Integer(f[i])) return kInvalid;
            if (failing) return kFailed;
            rx_.fixIntervalMs = *Integer(f[0]);
            return kDone;
        }
        case 301: {
            auto v = one(0, 2);
            if (!v) return kInvalid;
            if (failing) return kFailed;
            rx_.dgps = *v;
            return kDone;
        }
        case 314: {
            if (f.size() == 1 && f[0] == "-1") {
                if (failing) return kFailed;
                rx_.rates = DefaultRates();
                return kDone;
            }
            if (f.size() != 19) return kInvalid;
            for (std::string_view field : f)
                if (!InRange(field, 0, 5)) return kInvalid;
            if (failing) return kFailed;
            static constexpr std::size_t fieldOf[kOutputCount] = {0, 1, 2, 3, 4, 5, 17, 18};
            for (int o = 0; o < kOutputCount; ++o) rx_.rates[o] = *Integer(f[fieldOf[o]]);
            return kDone;
        }
        case 319: {
            auto v = one(0, 1);
            if (!v) return kInvalid;
            if (failing) return kFailed;
            rx_.sbasMode = *v;
            return kDone;
        }
        case 330: {
            auto v = one(0, 222);
            if (!v) return kInvalid;
            if (failing) return kFailed;
            rx_.datum = *v;
            return kDone;
        }
        case 390: {
            // Protection, fix rate, speed, the rates GLL RMC VTG GSA GSV GGA ZDA MCHN, DGPS, datum, RTCM
            // speed.
            if (f.size() != 14 || !InRange(f[1], 1, 5) || !SpeedFieldOk(f[2]) || !InRange(f[11], 0, 2) ||
                !InRange(f[12], 0, 222) || !SpeedFieldOk(f[13]))
                return kInvalid;
            for (std::size_t i = 3; i <= 10; ++i)
                if (!InRange(f[i], 0, 5)) return kInvalid;
            if (failing || rx_.flashWritesLeft <= 0) return kFailed;
            --rx_.flashWritesLeft;
            StoredSettings& s = rx_.stored;
            s.fixHz = *Integer(f[1]);
            if (!f[2].empty()) s.baud = std::string(f[2]);
            static constexpr Output order[] = {kGll, kRmc, kVtg, kGsa, kGsv, kGga, kZda, kMchn};
            for (std::size_t i = 0; i < 8; ++i) s.rates[order[i]] = *Integer(f[3 + i]);
            s.dgps = *Integer(f[11]);
            s.datum = *Integer(f[12]);
            if (!f[13].empty()) s.rtcmBaud = std::string(f[13]);
            return kDone;
        }
        default:
            return kUnsupported;
    }
}

}  // namespace tarnell::sim
