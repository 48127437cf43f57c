#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/Sentence.h"
#include "nmea/Exception.h"
#include "nmea/FieldScan.h"
#include "nmea/Format.h"
#include "nmea/GpsDecoder.h"

namespace {

using tarnell::GpsDecoder;

std::vector<std::pair<int, std::string>> Fields(const std::string& line, const char* delimiters,
                                                bool dropMinus) {
    std::vector<std::pair<int, std::string>> out;
    tarnell::ScanFields(line, delimiters, dropMinus,
                        [&](int k, const std::string& t) { out.emplace_back(k, t); });
    return out;
}

template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const tarnell::Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(FieldScan, EmptyFieldsMinusAndTheStar) {
    using V = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(Fields("$GPRMC,1,,12-3*45\r\n", ",*", true),
              (V{{1, "$GPRMC"}, {2, "1"}, {3, "0"}, {4, "123"}}));
    EXPECT_EQ(Fields("$GPGGA,,-12.5*45\r\n", ",*", false), (V{{1, "$GPGGA"}, {2, "0"}, {3, "-12.5"}}));
    // With "," alone the field before "*" is never closed.
    EXPECT_EQ(Fields("$GPGSA,A,,2.1*33\r\n", ",", false), (V{{1, "$GPGSA"}, {2, "A"}, {3, "0"}}));
    EXPECT_EQ(tarnell::Fragment("$PMTK001,314,3*36", 2, 7), "PMTK001");
    EXPECT_EQ(tarnell::Fragment("$PMTK001,314,3*36", 10, 3), "314");
    EXPECT_EQ(tarnell::Fragment("$GP\r\n", 2, 5), "GP\r\n");
    EXPECT_EQ(tarnell::Fragment("$GP", 10, 3), "");
}

TEST(Conversions, StrictAcceptTheWholeTextOnly) {
    const std::pair<const char*, int32_t> ints[] = {
        {"0", 0},  {"230394", 230394},         {"-12", -12},
        {"+7", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, v] : ints) EXPECT_EQ(tarnell::StrictInteger(text), v) << text;
    for (const char* bad : {"", "1.5", " 1", "1 ", "0x1F", "2147483648", "+-1", "-", "12a", "A"}) {
        EXPECT_EQ(ErrorOf([&] { tarnell::StrictInteger(bad); }),
                  std::string("'") + bad + "' is not a valid integer value");
        EXPECT_EQ(tarnell::IntegerOr(bad, 10), 10) << bad;
    }
    EXPECT_EQ(tarnell::IntegerOr("07", 10), 7);

    const std::pair<const char*, double> decimals[] = {
        {"4807.038", 4807.038}, {"-12.5", -12.5}, {"+1", 1}, {".5", 0.5}, {"5.", 5}, {"0", 0}, {"1E3", 1000}};
    for (const auto& [text, v] : decimals) EXPECT_DOUBLE_EQ(tarnell::StrictDecimal(text), v) << text;
    for (const char* bad :
         {"1,5", "", "inf", "nan", "-inf", " 1", "1.2.3", "1e400", "-", ".", "0x10", "+-1"}) {
        EXPECT_EQ(ErrorOf([&] { tarnell::StrictDecimal(bad); }),
                  std::string("'") + bad + "' is not a valid floating point value");
    }
}

TEST(Decoders, RmcStoresItsSevenFields) {
    GpsDecoder g;
    g.DecodeRmc(
        tarnell::CompleteSentence("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"));
    EXPECT_DOUBLE_EQ(g.UtcTimeNmea, 123519);
    EXPECT_DOUBLE_EQ(g.LatitudeNmea, 4807.038);
    EXPECT_EQ(g.NorthSouth, "N");
    EXPECT_DOUBLE_EQ(g.LongitudeNmea, 1131.0);
    EXPECT_EQ(g.EastWest, "E");
    EXPECT_DOUBLE_EQ(g.SpeedKmh, 22.4 * 1.852);
    EXPECT_EQ(g.UtcDateNmea, 230394);

    // Without a fix every field is empty and reads as 0; "-" is dropped anywhere.
    g.DecodeRmc(tarnell::CompleteSentence("$GPRMC,,V,,,,,,,,,,N"));
    EXPECT_EQ(g.UtcTimeNmea, 0);
    EXPECT_EQ(g.NorthSouth, "0");
    EXPECT_EQ(g.EastWest, "0");
    EXPECT_EQ(g.UtcDateNmea, 0);
    g.DecodeRmc(tarnell::CompleteSentence("$GPRMC,1-2-3,A,-4807.038,N,1131,E,0,0,23-0394,,"));
    EXPECT_DOUBLE_EQ(g.UtcTimeNmea, 123);
    EXPECT_DOUBLE_EQ(g.LatitudeNmea, 4807.038);
    EXPECT_EQ(g.UtcDateNmea, 230394);
}

TEST(Decoders, RmcErrorKeepsTheFieldsBeforeIt) {
    GpsDecoder g;
    g.UtcDateNmea = 111111;
    const std::string line = tarnell::CompleteSentence("$GPRMC,2,A,4916.45,S,12311.12,W,0x2,0,230394,,");
    EXPECT_EQ(ErrorOf([&] { g.DecodeRmc(line); }), "'0x2' is not a valid floating point value");
    EXPECT_DOUBLE_EQ(g.LatitudeNmea, 4916.45);
    EXPECT_DOUBLE_EQ(g.LongitudeNmea, 12311.12);
    EXPECT_EQ(g.EastWest, "W");
    EXPECT_EQ(g.UtcDateNmea, 111111);
    EXPECT_EQ(ErrorOf([&] { g.DecodeRmc("$GPRMC,1,A,1,N,1,E,1,1,23.03.94,*00"); }),
              "'23.03.94' is not a valid integer value");
}

TEST(Decoders, GgaAltitudeAsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "545.4"},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,,M,46.9,M,,", "0"},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,-12.5,M,,M,,", "-12.5"},
        {"$GPGGA,1,2", "0"},  // too short: nothing stored
    };
    for (const auto& [body, alt] : cases) {
        GpsDecoder g;
        g.AltitudeText = "0";
        g.DecodeGga(tarnell::CompleteSentence(body));
        EXPECT_EQ(g.AltitudeText, alt) << body;
    }
}

TEST(Decoders, GsaFixTypeSatellitesAndPdop) {
    GpsDecoder g;
    g.DecodeGsa(tarnell::CompleteSentence("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"));
    EXPECT_EQ(g.FixType, 3);
    EXPECT_FLOAT_EQ(g.Pdop, 2.5f);
    std::vector<int> used;
    for (int n = 0; n < 50; ++n)
        if (g.UsedInFix[static_cast<std::size_t>(n)]) used.push_back(n);
    EXPECT_EQ(used, (std::vector<int>{4, 5, 9, 12, 24}));

    // Flags are never cleared; 50 and above set nothing; empty fix type and PDOP read as 0.
    g.DecodeGsa(tarnell::CompleteSentence("$GPGSA,A,,01,02,03,06,07,08,10,11,13,14,49,120,,1.3,2.1"));
    EXPECT_EQ(g.FixType, 0);
    EXPECT_EQ(g.Pdop, 0.0f);
    used.clear();
    for (int n = 0; n < 50; ++n)
        if (g.UsedInFix[static_cast<std::size_t>(n)]) used.push_back(n);
    EXPECT_EQ(used, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 24, 49}));

    // A bad satellite field stops the decoder: earlier flags stay set, PDOP is untouched.
    GpsDecoder bad;
    bad.Pdop = 9.0f;
    EXPECT_EQ(ErrorOf([&] { bad.DecodeGsa("$GPGSA,A,2,17,x1,18,,,,,,,,,,1.5,1.0,1.0*00"); }),
              "'x1' is not a valid integer value");
    EXPECT_EQ(bad.FixType, 2);
    EXPECT_EQ(bad.UsedInFix[17], 1);
    EXPECT_EQ(bad.UsedInFix[18], 0);
    EXPECT_EQ(bad.Pdop, 9.0f);
}

TEST(Format, Coordinate) {
    const std::pair<double, const char*> cases[] = {
        {4807.038,
         "48\xB0"
         "7'2.3"},
        {1131.0,
         "11\xB0"
         "31'0.0"},
        {12311.12,
         "123\xB0"
         "11'7.2"},
        {4916.45,
         "49\xB0"
         "16'27.0"},
        {0.0,
         "0\xB0"
         "0'0.0"},
        {1131.9999,
         "11\xB0"
         "31'60.0"},
    };
    GpsDecoder g;
    for (const auto& [v, text] : cases) EXPECT_EQ(g.FormatCoordinate(v), text) << v;
}

TEST(Format, LocalTimeSetsZoneAndCarry) {
    struct Case {
        int32_t t;
        float lon;
        const char* ew;
        const char* text;
        int32_t zone, carry;
    } cases[] = {
        {123519, 1131.0f, "E", "12:35:19", 0, 0},  {23519, 12311.12f, "W", "18:35:19", -8, -1},
        {203519, 12130.5f, "E", "04:35:19", 8, 1}, {90503, 17959.99f, "E", "20:05:03", 11, 0},
        {90503, 18000.0f, "E", "21:05:03", 12, 0}, {90503, 0.0f, "0", "21:05:03", 12, 0},  // zone kept
        {0, 0.0f, "W", "00:00:00", 0, 0},
    };
    GpsDecoder g;
    for (const Case& c : cases) {
        EXPECT_EQ(g.FormatLocalTime(c.t, c.lon, c.ew), c.text) << c.t << c.ew;
        EXPECT_EQ(g.ZoneHours, c.zone) << c.t << c.ew;
        EXPECT_EQ(g.DayCarry, c.carry) << c.t << c.ew;
    }
}

TEST(Format, LocalDateCarriesThroughMonthAndYearEnds) {
    struct Case {
        int32_t d;
        int32_t carry;
        const char* text;
    } cases[] = {
        {230394, 0, "2094/03/23"}, {230394, -1, "2094/03/22"}, {150607, 1, "2007/06/16"},
        {90207, 0, "2007/02/09"},  {10394, -1, "2094/02/28"},  {310394, 1, "2094/04/01"},
        {311299, 1, "2100/01/01"}, {10100, -1, "1999/12/31"},  {10300, -1, "2000/02/29"},
        {280204, 1, "2004/02/29"}, {290204, 1, "2004/03/01"},  {0, 0, "2000/00/00"},
        {0, 1, "2000/00/01"},      {320194, 1, "2094/01/33"},  // no calendar date: the day alone moves
    };
    GpsDecoder g;
    for (const Case& c : cases) {
        g.DayCarry = c.carry;
        EXPECT_EQ(g.FormatLocalDate(c.d), c.text) << c.d << " " << c.carry;
    }
}

TEST(Format, NumberFormats) {
    const std::pair<double, const char*> general[] = {
        {22.4 * 1.852, "41.4848"},
        {0.13 * 1.852, "0.24076"},
        {0.0, "0"},
        {0.00001 * 1.852, "1.852E-5"},
        {100.0, "100"},
        {0.0001, "0.0001"},
        {-2.5, "-2.5"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {12345678901234567.0, "1.23456789012346E16"},
    };
    for (const auto& [v, text] : general) EXPECT_EQ(tarnell::GeneralNumber(v), text) << v;

    EXPECT_EQ(tarnell::FixedPoint(2.5f, 2, 2), "2.50");
    EXPECT_EQ(tarnell::FixedPoint(0.0f, 2, 2), "0.00");
    EXPECT_EQ(tarnell::FixedPoint(10.1f, 2, 2), "10.10");

    EXPECT_EQ(tarnell::TruncInt32(-2.9), -2);
    EXPECT_EQ(tarnell::TruncInt32(1e12), 2147483647);
    EXPECT_EQ(tarnell::TruncInt32(-1e12), -2147483647 - 1);
}

}  // namespace
