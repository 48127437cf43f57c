#include "tools/tarnell-sim/World.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "config/Sentence.h"

namespace tarnell::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusM = 6371000.0;
constexpr double kOrbitS = 43082.0;  // half a sidereal day
constexpr int kConstellation = 20;
constexpr int kChannels = 32;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::string Format(const char* format, auto... values) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, values...);
    return buf;
}

// ddmm.mmmm (or dddmm.mmmm) and the hemisphere letter, rounded on the last digit of the minutes.
std::string Angle(double deg, int degreeDigits, char positive, char negative) {
    const long long units = std::llround(std::fabs(deg) * 60.0 * 10000.0);  // 1/10000 minute
    const long long d = units / 600000, rest = units % 600000;
    const std::string number = Format(degreeDigits == 2 ? "%02lld%02lld.%04lld" : "%03lld%02lld.%04lld", d,
                                      rest / 10000, rest % 10000);
    return number + "," + (deg < 0 ? negative : positive);
}

struct Utc {
    std::string time;  // hhmmss.sss
    std::tm date{};
};

Utc Split(std::int64_t utcMs) {
    const std::time_t seconds = static_cast<std::time_t>(utcMs / 1000);
    Utc u;
    gmtime_r(&seconds, &u.date);
    u.time = Format("%02d%02d%02d.%03d", u.date.tm_hour, u.date.tm_min, u.date.tm_sec,
                    static_cast<int>(utcMs % 1000));
    return u;
}

}  // namespace

void World::LoseFix(std::int64_t fromMs, std::int64_t untilMs) {
    noFixFrom_ = fromMs;
    noFixUntil_ = untilMs;
}

Position World::At(std::int64_t utcMs) const {
    const double travelled = motion_.speedKmh / 3.6 * static_cast<double>(utcMs - startMs_) / 1000.0;
    const double heading = motion_.headingDeg * kPi / 180.0;
    Position p;
    p.latDeg =
        std::clamp(motion_.latDeg + travelled * std::cos(heading) / kEarthRadiusM * 180.0 / kPi, -89.9, 89.9);
    const double east =
        travelled * std::sin(heading) / (kEarthRadiusM * std::cos(motion_.latDeg * kPi / 180.0));
    p.lonDeg = std::remainder(motion_.lonDeg + east * 180.0 / kPi, 360.0);
    return p;
}

std::vector<Satellite> World::Sky(std::int64_t utcMs) const {
    const double t = static_cast<double>(utcMs) / 1000.0;
    std::vector<Satellite> sky;
    for (int i = 0; i < kConstellation; ++i) {
        // Orbits of their own: uneven phases and peaks, so the number in view changes over the day.
        const std::uint64_t orbit = Mix(static_cast<std::uint64_t>(i));
        const double phase = 2.0 * kPi * static_cast<double>(orbit % 1000) / 1000.0 + 2.0 * kPi * t / kOrbitS;
        const double peak = 50.0 + static_cast<double>(orbit / 1000 % 40);
        const int elevation = static_cast<int>(std::lround(peak * std::sin(phase)));
        if (elevation < 5) continue;
        Satellite s;
        s.prn = i + 1;
        s.elevation = elevation;
        s.azimuth = static_cast<int>(std::fmod(i * 137.5 + 180.0 * t / kOrbitS, 360.0));
        // Stronger overhead, with a jitter that changes every second.
        const int jitter = static_cast<int>(Mix(static_cast<std::uint64_t>(s.prn) * 1000003u +
                                                static_cast<std::uint64_t>(utcMs / 1000)) %
                                            7) -
                           3;
        s.snr = std::clamp(20 + elevation * 28 / 100 + jitter, 1, 99);
        sky.push_back(s);
    }
    std::sort(sky.begin(), sky.end(),
              [](const Satellite& a, const Satellite& b) { return a.elevation > b.elevation; });
    if (sky.size() > 12) sky.resize(12);

    if (!HasFix(utcMs)) {
        // Reacquiring: the satellites come back one by one over the outage; none is used.
        const double done =
            static_cast<double>(utcMs - noFixFrom_) / static_cast<double>(noFixUntil_ - noFixFrom_);
        for (std::size_t k = 0; k < sky.size(); ++k)
            if (done < static_cast<double>(k + 1) / static_cast<double>(sky.size() + 1)) sky[k].snr = 0;
        return sky;
    }
    for (Satellite& s : sky) s.used = s.elevation >= 10 && s.snr >= 25;
    return sky;
}

std::vector<std::string> World::Fix(std::int64_t utcMs, std::uint64_t fixNumber, const Rates& rates) const {
    const auto due = [&](Output o) {
        return rates[o] > 0 && fixNumber % static_cast<std::uint64_t>(rates[o]) == 0;
    };
    const Utc utc = Split(utcMs);
    const std::string date =
        Format("%02d%02d%02d", utc.date.tm_mday, utc.date.tm_mon + 1, utc.date.tm_year % 100);
    const bool fix = HasFix(utcMs);
    const Position p = At(utcMs);
    const std::string lat = Angle(p.latDeg, 2, 'N', 'S'), lon = Angle(p.lonDeg, 3, 'E', 'W');
    const std::vector<Satellite> sky = Sky(utcMs);
    std::vector<int> used;
    for (const Satellite& s : sky)
        if (s.used) used.push_back(s.prn);
    const int n = static_cast<int>(used.size());
    const double pdop = n > 0 ? 1.0 + 8.0 / n : 0, hdop = pdop * 0.6, vdop = pdop * 0.8;
    const double knots = motion_.speedKmh / 1.852;

    std::vector<std::string> out;
    const auto add = [&](const std::string& body) { out.push_back(CompleteSentence(body)); };
    if (due(kGga)) {
        add(fix ? Format("$GPGGA,%s,%s,%s,1,%02d,%.2f,%.1f,M,15.0,M,,", utc.time.c_str(), lat.c_str(),
                         lon.c_str(), n, hdop, motion_.altM)
                : "$GPGGA," + utc.time + ",,,,,0,00,,,M,,M,,");
    }
    if (due(kGll)) {
        add(fix ? "$GPGLL," + lat + "," + lon + "," + utc.time + ",A,A" : "$GPGLL,,,,," + utc.time + ",V,N");
    }
    if (due(kGsa)) {
        std::string body = fix ? "$GPGSA,A,3" : "$GPGSA,A,1";
        for (int k = 0; k < 12; ++k) body += k < n ? Format(",%02d", used[k]) : std::string(",");
        body += fix ? Format(",%.2f,%.2f,%.2f", pdop, hdop, vdop) : std::string(",,,");
        add(body);
    }
    if (due(kGsv)) {
        const int total = std::max<int>(1, (static_cast<int>(sky.size()) + 3) / 4);
        for (int m = 0; m < total; ++m) {
            std::string body = Format("$GPGSV,%d,%d,%02d", total, m + 1, static_cast<int>(sky.size()));
            for (std::size_t k = m * 4; k < sky.size() && k < static_cast<std::size_t>(m * 4 + 4); ++k) {
                const Satellite& s = sky[k];
                body += Format(",%02d,%02d,%03d,", s.prn, s.elevation, s.azimuth);
                if (s.snr > 0) body += Format("%02d", s.snr);
            }
            add(body);
        }
    }
    if (due(kRmc)) {
        add(fix ? Format("$GPRMC,%s,A,%s,%s,%.2f,%.2f,%s,,,A", utc.time.c_str(), lat.c_str(), lon.c_str(),
                         knots, motion_.headingDeg, date.c_str())
                : "$GPRMC," + utc.time + ",V,,,,,,," + date + ",,,N");
    }
    if (due(kVtg)) {
        add(fix ? Format("$GPVTG,%.2f,T,,M,%.2f,N,%.2f,K,A", motion_.headingDeg, knots, motion_.speedKmh)
                : "$GPVTG,,T,,M,,N,,K,N");
    }
    if (due(kZda)) {
        add(Format("$GPZDA,%s,%02d,%02d,%04d,00,00", utc.time.c_str(), utc.date.tm_mday, utc.date.tm_mon + 1,
                   utc.date.tm_year + 1900));
    }
    if (due(kMchn)) {
        // Channels: tracked satellites, then a few searching for ones below the horizon, then idle.
        std::string body = "$PMTKCHN";
        int searching = 4;
        for (int c = 0, next = 0; c < kChannels; ++c) {
            if (c < static_cast<int>(sky.size())) {
                const Satellite& s = sky[c];
                body += Format(",%02d%02d%d", s.prn, s.snr, s.snr > 0 ? 2 : 1);
                continue;
            }
            if (searching-- > 0) {
                // The first satellites of the constellation not in view.
                for (++next;
                     std::any_of(sky.begin(), sky.end(), [&](const Satellite& s) { return s.prn == next; });)
                    ++next;
                body += Format(",%02d001", next);
                continue;
            }
            body += ",00000";
        }
        add(body);
    }
    return out;
}

}  // namespace tarnell::sim
