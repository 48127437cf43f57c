#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/tarnell-sim/World.h"

using namespace tarnell::sim;

namespace {

constexpr std::int64_t kNoon = 1718020800000;  // 2024-06-10 12:00:00 UTC

// The fields of a sentence's body ("$GPGGA", "120000.000", ...); fails when the frame is broken.
std::vector<std::string> Fields(const std::string& s) {
    const auto star = s.rfind('*');
    EXPECT_NE(star, std::string::npos) << s;
    EXPECT_EQ(s.size(), star + 5) << s;
    EXPECT_EQ(s.substr(s.size() - 2), "\r\n") << s;
    unsigned x = 0;
    for (std::size_t i = 1; i < star; ++i) x ^= static_cast<unsigned char>(s[i]);
    char sum[3];
    std::snprintf(sum, sizeof sum, "%02X", x);
    EXPECT_EQ(s.substr(star + 1, 2), sum) << s;
    std::vector<std::string> out(1);
    for (char c : s.substr(0, star)) {
        if (c == ',')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::vector<std::string> Ids(const std::vector<std::string>& sentences) {
    std::vector<std::string> ids;
    for (const std::string& s : sentences) ids.push_back(Fields(s)[0]);
    return ids;
}

// An NMEA angle and its hemisphere as signed degrees.
double Degrees(const std::string& value, const std::string& hemisphere) {
    const double v = std::stod(value);
    const double deg = std::floor(v / 100) + std::fmod(v, 100) / 60;
    return hemisphere == "S" || hemisphere == "W" ? -deg : deg;
}

Motion Standing(double lat, double lon) {
    Motion m;
    m.latDeg = lat;
    m.lonDeg = lon;
    m.speedKmh = 0;
    return m;
}

}  // namespace

TEST(SimWorld, EveryFixIsAConsistentReceiverReport) {
    const World world(Motion{}, kNoon);
    // Fixes over a day, so the sky goes through every arrangement of satellites.
    std::set<int> groupSizes;
    for (std::int64_t t = kNoon; t < kNoon + 86400000; t += 1800000) {
        const std::vector<std::string> fix = world.Fix(t, 0, DefaultRates());
        std::map<std::string, std::vector<std::vector<std::string>>> by;
        for (const std::string& s : fix) by[Fields(s)[0]].push_back(Fields(s));
        const auto& gsv = by["$GPGSV"];
        const int messages = static_cast<int>(gsv.size());
        groupSizes.insert(messages);
        std::vector<std::string> expected = {"$GPGGA", "$GPGLL", "$GPGSA"};
        expected.insert(expected.end(), gsv.size(), "$GPGSV");
        expected.insert(expected.end(), {"$GPRMC", "$GPVTG", "$GPZDA", "$PMTKCHN"});
        ASSERT_EQ(Ids(fix), expected) << t;

        // The satellites in view, four to a message, all but the last message full.
        std::map<int, int> snrOf;
        for (int m = 0; m < messages; ++m) {
            const auto& f = gsv[m];
            EXPECT_EQ(f[1], std::to_string(messages));
            EXPECT_EQ(f[2], std::to_string(m + 1));
            const std::size_t blocks = (f.size() - 4) / 4;
            EXPECT_EQ(f.size(), 4 + blocks * 4);
            EXPECT_TRUE(m + 1 == messages ? blocks >= 1 && blocks <= 4 : blocks == 4);
            for (std::size_t b = 0; b < blocks; ++b)
                snrOf[std::stoi(f[4 + 4 * b])] = std::atoi(f[7 + 4 * b].c_str());
        }
        ASSERT_EQ(std::stoi(gsv[0][3]), static_cast<int>(snrOf.size()));
        EXPECT_LE(snrOf.size(), 12u);

        // Used satellites: tracked ones, counted alike in GGA and listed in GSA.
        const auto& gsa = by["$GPGSA"][0];
        ASSERT_EQ(gsa.size(), 18u);
        EXPECT_EQ(gsa[2], "3");
        int used = 0;
        for (int k = 3; k < 15; ++k) {
            if (gsa[k].empty()) continue;
            ++used;
            ASSERT_TRUE(snrOf.count(std::stoi(gsa[k]))) << gsa[k];
            EXPECT_GT(snrOf[std::stoi(gsa[k])], 0);
        }
        EXPECT_GE(used, 4) << t;
        EXPECT_EQ(std::stoi(by["$GPGGA"][0][7]), used);
        EXPECT_GT(std::stod(gsa[15]), 1.0);

        // 32 channels of five characters: the satellites in view first, with their signals.
        const auto& chn = by["$PMTKCHN"][0];
        ASSERT_EQ(chn.size(), 33u);
        for (int c = 1; c <= 32; ++c) {
            ASSERT_EQ(chn[c].size(), 5u) << chn[c];
            const int prn = std::stoi(chn[c].substr(0, 2)), snr = std::stoi(chn[c].substr(2, 2));
            const char status = chn[c][4];
            ASSERT_TRUE(status >= '0' && status <= '2') << chn[c];
            if (c <= static_cast<int>(snrOf.size())) {
                ASSERT_TRUE(snrOf.count(prn)) << chn[c];
                EXPECT_EQ(snr, snrOf[prn]);
                EXPECT_EQ(status, snr > 0 ? '2' : '1');
            }
        }
    }
    EXPECT_EQ(groupSizes, (std::set<int>{2, 3})) << "the number in view changes over the day";
}

TEST(SimWorld, TimeAndDateComeFromTheGivenUtc) {
    const World world(Motion{}, kNoon);
    const std::int64_t t = kNoon + 3 * 3600000 + 25 * 60000 + 7250;  // 15:25:07.250
    for (const std::string& s : world.Fix(t, 0, DefaultRates())) {
        const auto f = Fields(s);
        if (f[0] == "$GPGGA" || f[0] == "$GPRMC" || f[0] == "$GPZDA") {
            EXPECT_EQ(f[1], "152507.250") << s;
        }
        if (f[0] == "$GPGLL") {
            EXPECT_EQ(f[5], "152507.250");
        }
        if (f[0] == "$GPRMC") {
            EXPECT_EQ(f[9], "100624");
        }
        if (f[0] == "$GPZDA") {
            EXPECT_EQ(f[2] + f[3] + f[4], "10062024");
        }
    }
}

TEST(SimWorld, RatesPickTheFixesEachSentenceIsSentWith) {
    const World world(Motion{}, kNoon);
    Rates rates{};
    rates[kGga] = 1;
    rates[kRmc] = 2;
    rates[kGsv] = 3;
    rates[kMchn] = 5;
    std::map<std::string, int> count;
    for (std::uint64_t n = 0; n < 30; ++n)
        for (const std::string& s : world.Fix(kNoon + static_cast<std::int64_t>(n) * 1000, n, rates))
            if (const auto id = Fields(s)[0]; id != "$GPGSV" || Fields(s)[2] == "1") ++count[id];
    EXPECT_EQ(count,
              (std::map<std::string, int>{{"$GPGGA", 30}, {"$GPRMC", 15}, {"$GPGSV", 10}, {"$PMTKCHN", 6}}));
}

TEST(SimWorld, PositionFormatsAndMovesAtSpeedAndHeading) {
    struct Case {
        double lat, lon;
        const char *latText, *ns, *lonText, *ew;
    } starts[] = {
        {25.0478, 121.5319, "2502.8680", "N", "12131.9140", "E"},
        {-33.8688, -70.5, "3352.1280", "S", "07030.0000", "W"},
        {0.5, 0.25, "0030.0000", "N", "00015.0000", "E"},
        {10.99999999, -179.999999999, "1100.0000", "N", "18000.0000", "W"},  // no "60.0000" minutes
    };
    for (const Case& c : starts) {
        const World world(Standing(c.lat, c.lon), kNoon);
        for (const std::string& s : world.Fix(kNoon + 5000, 0, DefaultRates())) {
            const auto f = Fields(s);
            const std::size_t at = f[0] == "$GPGGA" ? 2 : f[0] == "$GPRMC" ? 3 : f[0] == "$GPGLL" ? 1 : 0;
            if (!at) continue;
            EXPECT_EQ(f[at] + f[at + 1] + f[at + 2] + f[at + 3],
                      std::string(c.latText) + c.ns + c.lonText + c.ew)
                << s;
        }
    }

    // 36 km/h for 1000 s: 10 km along the heading.
    struct Leg {
        double heading, dLatDeg, dLonDeg;
    } legs[] = {{0, 0.08993, 0}, {90, 0, 0.09923}, {225, -0.06359, -0.07017}};
    for (const Leg& leg : legs) {
        Motion m = Standing(25.0, 121.0);
        m.speedKmh = 36;
        m.headingDeg = leg.heading;
        const World world(m, kNoon);
        for (const std::string& s : world.Fix(kNoon + 1000000, 0, DefaultRates())) {
            const auto f = Fields(s);
            if (f[0] == "$GPGGA") {
                EXPECT_NEAR(Degrees(f[2], f[3]), 25.0 + leg.dLatDeg, 2e-4) << s;
                EXPECT_NEAR(Degrees(f[4], f[5]), 121.0 + leg.dLonDeg, 2e-4) << s;
            }
            if (f[0] == "$GPRMC") {
                EXPECT_EQ(f[7], "19.44");  // knots
                EXPECT_NEAR(std::stod(f[8]), leg.heading, 1e-9);
            }
            if (f[0] == "$GPVTG") {
                EXPECT_EQ(f[7], "36.00");
            }
        }
    }
}

TEST(SimWorld, ARestartDropsTheFixUntilItReturns) {
    World world(Standing(25.0, 121.0), kNoon);
    world.LoseFix(kNoon, kNoon + 8000);
    for (std::int64_t t : {kNoon + 1000, kNoon + 7999}) {
        for (const std::string& s : world.Fix(t, 0, DefaultRates())) {
            const auto f = Fields(s);
            if (f[0] == "$GPGSA") {
                EXPECT_EQ(f[2], "1");
                for (std::size_t k = 3; k < f.size(); ++k) EXPECT_EQ(f[k], "") << s;
            }
            if (f[0] == "$GPGGA") {
                EXPECT_EQ(f[2] + f[3] + f[4] + f[5] + f[6] + f[9], "0") << s;
            }
            if (f[0] == "$GPRMC") {
                EXPECT_EQ(f[2] + f[3] + f[4] + f[5] + f[6] + f[7], "V") << s;
            }
            if (f[0] == "$GPGLL") {
                EXPECT_EQ(f[1] + f[2] + f[3] + f[4] + f[6], "V") << s;
            }
            if (f[0] == "$GPGSV") {
                EXPECT_NE(f[3], "00") << "the sky stays in view";
            }
        }
    }
    // Satellites are reacquired along the way.
    const auto tracked = [&](std::int64_t t) {
        int n = 0;
        for (const Satellite& s : world.Sky(t)) n += s.snr > 0;
        return n;
    };
    EXPECT_EQ(tracked(kNoon + 100), 0);
    EXPECT_GT(tracked(kNoon + 7000), tracked(kNoon + 2000));
    EXPECT_TRUE(world.HasFix(kNoon + 8000));
    for (const std::string& s : world.Fix(kNoon + 8000, 0, DefaultRates()))
        if (Fields(s)[0] == "$GPGSA") {
            EXPECT_EQ(Fields(s)[2], "3");
        }
}

TEST(SimWorld, SatellitesMoveSlowlyAndTheirSignalsVary) {
    const World world(Motion{}, kNoon);
    const auto byPrn = [&](std::int64_t t) {
        std::map<int, Satellite> m;
        for (const Satellite& s : world.Sky(t)) m[s.prn] = s;
        return m;
    };
    const auto now = byPrn(kNoon), minuteLater = byPrn(kNoon + 60000);
    int snrChanges = 0, common = 0;
    for (const auto& [prn, s] : now) {
        if (!minuteLater.count(prn)) continue;
        ++common;
        const Satellite& later = minuteLater.at(prn);
        EXPECT_LE(std::abs(later.elevation - s.elevation), 1) << prn;
        EXPECT_LE(std::abs(later.azimuth - s.azimuth) % 359, 1) << prn;
        snrChanges += later.snr != s.snr;
    }
    EXPECT_GE(common, 10);
    EXPECT_GT(snrChanges, 0);
    // Hours later the sky is another one.
    std::set<int> before, after;
    for (const auto& [prn, s] : now) before.insert(prn);
    for (const auto& [prn, s] : byPrn(kNoon + 4 * 3600000)) after.insert(prn);
    EXPECT_NE(before, after);
}
