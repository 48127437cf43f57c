#include <gtest/gtest.h>

#include "config/Sentence.h"
#include "views/ChannelReport.h"
#include "views/LinkLoad.h"

namespace {

// A channel report with the given entries, the rest "00000".
std::string Report(std::initializer_list<const char*> entries, int count = 32) {
    std::string body = "$PMTKCHN";
    auto it = entries.begin();
    for (int k = 0; k < count; ++k) body += std::string(",") + (it != entries.end() ? *it++ : "00000");
    return tarnell::CompleteSentence(body);
}

}  // namespace

TEST(ChannelReport, EntriesAtTheirPositions) {
    const std::string line = Report({"07452", "00000", "12381", "23419", "03225"});
    struct Case {
        int k;
        const char *sv, *snr, *status;
    } cases[] = {
        {0, "07", "45", "Tracking"}, {1, "00", "00", "Idle"}, {2, "12", "38", "Searching"},
        {3, "23", "41", ""},         {4, "03", "22", ""},     {31, "00", "00", "Idle"},
    };
    for (const Case& c : cases) {
        const auto e = tarnell::ChannelEntryAt(line, c.k);
        ASSERT_TRUE(e) << c.k;
        EXPECT_EQ(e->SvId, c.sv) << c.k;
        EXPECT_EQ(e->Snr, c.snr) << c.k;
        EXPECT_EQ(e->Status, c.status) << c.k;
    }
}

TEST(ChannelReport, ShortReportHasNoEntryWhereTheStarOrLineEndFalls) {
    const std::string line = Report({"07452", "12381"}, 2);  // "$PMTKCHN,07452,12381*hh\r\n"
    EXPECT_TRUE(tarnell::ChannelEntryAt(line, 1));
    for (int k : {2, 3, 31}) EXPECT_FALSE(tarnell::ChannelEntryAt(line, k)) << k;
    // An entry cut by the "*" is no entry either.
    EXPECT_FALSE(tarnell::ChannelEntryAt(tarnell::CompleteSentence("$PMTKCHN,0745"), 0));
    EXPECT_FALSE(tarnell::ChannelEntryAt("$PMTKCHN", 0));
}

TEST(LinkLoad, LoadsOfTheListedSelections) {
    const std::array<int, 8> all{1, 1, 1, 1, 1, 1, 1, 1};
    const std::array<int, 8> none{0, 0, 0, 0, 0, 0, 0, 0};
    const std::array<int, 8> rmcGsaGsvGga{0, 1, 0, 1, 1, 1, 0, 0};
    struct Case {
        int speed, fix;
        std::array<int, 8> rates;
        const char* text;
        bool over;
    } cases[] = {
        {0, 0, none, "0.0", false},
        {0, 0, rmcGsaGsvGga, "98.7", false},
        {0, 0, all, "172.4", true},
        {1, 0, all, "86.3", false},
        {1, 1, all, "172.6", true},
        {2, 1, all, "115.0", true},
        {4, 4, all, "108.5", true},
        {6, 4, all, "36.5", false},
        {5, 4, all, "71.5", false},
        // Any rate but item 0 counts the same, none selected (typed text) included.
        {0, 0, {0, 5, 0, 3, 5, 2, 0, 0}, "98.7", false},
        {0, 0, {0, -1, 0, -1, -1, -1, 0, 0}, "98.7", false},
    };
    for (const Case& c : cases) {
        const auto r = tarnell::ComputeLinkLoad(c.speed, c.fix, c.rates);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->FixRate, c.fix + 1);
        EXPECT_EQ(tarnell::LoadText(r->Load), c.text) << c.speed << "/" << c.fix;
        EXPECT_EQ(r->Load > 100, c.over) << c.text;
    }
}

TEST(LinkLoad, RoundedOnceToSinglePrecision) {
    // 19200 bit/s at 5 Hz with GSV, GGA and ZDA: the single-precision costs add up to
    // a little over 3840 bits, a load a hair above 100 % that rounds to exactly 100.
    const auto r = tarnell::ComputeLinkLoad(3, 4, {0, 0, 0, 0, 1, 1, 1, 0});
    ASSERT_TRUE(r);
    EXPECT_GT((2572.8f + 768.0 + 499.2f) * 100 * 5 / 19200, 100.0);
    EXPECT_EQ(r->Load, 100.0f);
    // 9600 bit/s at 5 Hz with RMC, VTG and GGA: exactly 1920 bits, exactly 100 %.
    EXPECT_EQ(tarnell::ComputeLinkLoad(1, 4, {0, 1, 1, 0, 0, 1, 0, 0})->Load, 100.0f);
}

TEST(LinkLoad, NoReadingOutsideTheTables) {
    const std::array<int, 8> all{1, 1, 1, 1, 1, 1, 1, 1};
    for (auto [speed, fix] : {std::pair{-1, 0}, {7, 0}, {0, -1}, {0, 5}})
        EXPECT_FALSE(tarnell::ComputeLinkLoad(speed, fix, all)) << speed << "/" << fix;
}
