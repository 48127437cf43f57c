#include <gtest/gtest.h>

#include "config/Sentence.h"
#include "nmea/Satellites.h"
#include "views/SkyPlan.h"

using tarnell::CompleteSentence;
using tarnell::DecodeGsv;
using tarnell::SatelliteRecord;
using tarnell::SatelliteTable;

namespace {

bool Same(const SatelliteRecord& a, const SatelliteRecord& b) {
    return a.Present == b.Present && a.Elevation == b.Elevation && a.Azimuth == b.Azimuth && a.Snr == b.Snr;
}

// Every record but those listed in `changed` equals its counterpart in `before`.
void ExpectOnlyChanged(const SatelliteTable& before, const SatelliteTable& after,
                       std::initializer_list<int> changed) {
    for (size_t n = 0; n < after.size(); ++n) {
        if (std::find(changed.begin(), changed.end(), static_cast<int>(n)) != changed.end()) continue;
        EXPECT_TRUE(Same(before[n], after[n])) << "record " << n;
    }
}

}  // namespace

TEST(Gsv, GroupOfThreeFilesTwelveAndShowsAfterTheLast) {
    const std::string lines[] = {
        CompleteSentence("$GPGSV,3,1,12,01,05,040,30,02,17,122,33,03,22,288,,04,45,007,41"),
        CompleteSentence("$GPGSV,3,2,12,05,10,200,28,06,60,100,44,07,40,083,,08,02,330,19"),
        CompleteSentence("$GPGSV,3,3,12,09,80,015,47,10,33,250,36,11,01,180,22,12,71,090,45"),
    };
    SatelliteTable t{};
    EXPECT_EQ(DecodeGsv(lines[0], t), "END");
    EXPECT_EQ(DecodeGsv(lines[1], t), "END");
    EXPECT_EQ(DecodeGsv(lines[2], t), "Show");

    const SatelliteRecord expected[13] = {
        {0, 0, 0, 0},     {1, 5, 40, 30},   {1, 17, 122, 33}, {1, 22, 288, 0}, {1, 45, 7, 41},
        {1, 10, 200, 28}, {1, 60, 100, 44}, {1, 40, 83, 0},   {1, 2, 330, 19}, {1, 80, 15, 47},
        {1, 33, 250, 36}, {1, 1, 180, 22},  {1, 71, 90, 45},
    };
    for (int n = 0; n <= 12; ++n) EXPECT_TRUE(Same(t[n], expected[n])) << "record " << n;
    // The checksum and line end after "*" are never filed anywhere.
    ExpectOnlyChanged(SatelliteTable{}, t, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
}

TEST(Gsv, SingleLines) {
    struct Case {
        const char* body;
        const char* result;
        int record;  // -1: nothing filed
        SatelliteRecord filed;
    } cases[] = {
        {"$GPGSV,1,1,00", "Show", -1, {}},
        {"$GPGSV,2,1,08,07,40,083,45", "END", 7, {1, 40, 83, 45}},
        {"$GPGSV,2,2,08,07,40,083,", "Show", 7, {1, 40, 83, 0}},
        {"$GPGSV,2,2,08,,40,083,45", "Show", 0, {1, 40, 83, 45}},
        {"$GPGSV,2,2,08,x1,40,083,45", "Show", 0, {1, 40, 83, 45}},
        {"$GPGSV,2,2,08,49,40,083,45", "Show", 49, {1, 40, 83, 45}},
        {"$GPGSV,2,2,08,50,40,083,45", "Show", -1, {}},
        {"$GPGSV,2,2,08,120,40,083,45", "Show", -1, {}},
        // A text that is no integer takes the default: 0 for the angles, 10 for the signal.
        {"$GPGSV,2,2,08,07,4a,-83,4.5", "Show", 7, {1, 0, 0, 10}},
        {"$GPGSV,2,2,08,07,,,", "Show", 7, {1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SatelliteTable before{};
        before[7] = {0, 1, 2, 3};
        SatelliteTable t = before;
        EXPECT_EQ(DecodeGsv(CompleteSentence(c.body), t), c.result) << c.body;
        if (c.record >= 0) {
            EXPECT_TRUE(Same(t[c.record], c.filed)) << c.body;
            ExpectOnlyChanged(before, t, {c.record});
        } else {
            ExpectOnlyChanged(before, t, {});
        }
    }
}

TEST(Gsv, LastSatelliteOfTheLastMessageIsFiledBeforeShow) {
    SatelliteTable t{};
    EXPECT_EQ(DecodeGsv(CompleteSentence("$GPGSV,2,2,06,14,12,300,25,22,55,045,38"), t), "Show");
    EXPECT_TRUE(Same(t[14], {1, 12, 300, 25}));
    EXPECT_TRUE(Same(t[22], {1, 55, 45, 38}));
}

TEST(Gsv, LaterReportWinsAndOtherRecordsKeepTheirValues) {
    SatelliteTable t{};
    DecodeGsv(CompleteSentence("$GPGSV,1,1,02,05,10,200,28,06,60,100,44"), t);
    DecodeGsv(CompleteSentence("$GPGSV,1,1,01,05,11,201,"), t);
    EXPECT_TRUE(Same(t[5], {1, 11, 201, 0}));
    EXPECT_TRUE(Same(t[6], {1, 60, 100, 44}));
}

TEST(SkyPlan, MarkerCentres) {
    struct Case {
        int el, az, x, y;
    } cases[] = {
        {0, 0, 76, 16},    {20, 100, 131, 85}, {10, 300, 24, 46},
        {70, 170, 79, 96}, {35, 10, 84, 27},   {90, 0, 76, 76},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tarnell::MarkerCentre(c.el, c.az), (tarnell::SkyPoint{c.x, c.y})) << c.el << "/" << c.az;
}

TEST(SkyPlan, DrawRuleOrderAndNumberPlacement) {
    SatelliteTable t{};
    t[0] = {1, 0, 0, 30};    // record 0 is never shown
    t[3] = {1, 0, 0, 0};     // reported with an empty signal field
    t[9] = {0, 20, 100, 9};  // not reported again, signal still above 8
    t[10] = {1, 10, 300, 40};
    t[11] = {0, 35, 10, 8};  // neither reported nor above 8
    t[49] = {1, 70, 170, 22};
    std::array<uint8_t, 50> used{};

    const auto marks = tarnell::TakeSkyMarks(t, used, "3D");
    ASSERT_EQ(marks.size(), 4u);
    const struct {
        int number, snr;
        tarnell::SkyPoint centre, text;
    } expected[] = {
        {3, 0, {76, 16}, {74, 10}},
        {9, 9, {131, 85}, {129, 79}},
        {10, 40, {24, 46}, {19, 40}},
        {49, 22, {79, 96}, {74, 90}},
    };
    for (size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].Number, expected[i].number);
        EXPECT_EQ(marks[i].Snr, expected[i].snr);
        EXPECT_EQ(marks[i].Centre, expected[i].centre) << marks[i].Number;
        EXPECT_EQ(marks[i].TextAt, expected[i].text) << marks[i].Number;
    }

    // Drawn records are consumed (angles kept), skipped ones stay as they were.
    EXPECT_TRUE(Same(t[9], {0, 20, 100, 0}));
    EXPECT_TRUE(Same(t[10], {0, 10, 300, 0}));
    EXPECT_TRUE(Same(t[0], {1, 0, 0, 30}));
    EXPECT_TRUE(Same(t[11], {0, 35, 10, 8}));
    EXPECT_TRUE(tarnell::TakeSkyMarks(t, used, "3D").empty());
}

TEST(SkyPlan, FlagsCountOnlyInA2DOr3DFix) {
    struct Case {
        const char* mode;
        bool used;
    } cases[] = {{"3D", true}, {"2D", true}, {"NONE", false}, {"", false}, {"3d", false}, {"3D ", false}};
    for (const Case& c : cases) {
        SatelliteTable t{};
        t[4] = {1, 45, 0, 30};
        t[5] = {1, 45, 90, 30};
        std::array<uint8_t, 50> used{};
        used[4] = 1;
        const auto marks = tarnell::TakeSkyMarks(t, used, c.mode);
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_EQ(marks[0].Used, c.used) << '"' << c.mode << '"';
        EXPECT_FALSE(marks[1].Used) << '"' << c.mode << '"';
    }
}
