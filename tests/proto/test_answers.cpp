#include <gtest/gtest.h>

#include <string>

#include "config/Answers.h"
#include "config/Sentence.h"

using namespace tarnell;

namespace {

std::string Line(const std::string& body) {
    return CompleteSentence(body);
}

}  // namespace

TEST(Answers, PositionsPastTheEndReadAsCodeZero) {
    const std::string line = "$PMTK5";
    EXPECT_EQ(CharAt(line, 1), '$');
    EXPECT_EQ(CharAt(line, 7), '\0');
    EXPECT_EQ(CharAt(line, 0), '\0');
    EXPECT_EQ(DigitValue(line, 6), 5);
    EXPECT_EQ(DigitValue(line, 7), -48);
}

TEST(Answers, OutputRates) {
    const OutputRates r = ParseOutputRates(Line("$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,2,3"));
    EXPECT_EQ((std::array{r.gll, r.rmc, r.vtg, r.gga, r.gsa, r.gsv, r.zda, r.mchn}),
              (std::array{0, 1, 0, 1, 1, 5, 2, 3}));
    // Fields 7..17 are not read: a 9 in each of them changes nothing.
    const OutputRates skip = ParseOutputRates(Line("$PMTK514,0,0,0,0,0,0,9,9,9,9,9,9,9,9,9,9,9,0,0"));
    EXPECT_EQ((std::array{skip.gsv, skip.zda, skip.mchn}), (std::array{0, 0, 0}));
    // A short answer: the missing positions read as code 0.
    const OutputRates shortLine = ParseOutputRates("$PMTK514,1,2*hh\r\n");
    EXPECT_EQ(shortLine.gll, 1);
    EXPECT_EQ(shortLine.rmc, 2);
    EXPECT_EQ(shortLine.mchn, -48);
}

TEST(Answers, SelectionsByDigitAndPrefix) {
    EXPECT_EQ(ParseDgpsSource(Line("$PMTK501,0")), 0);
    EXPECT_EQ(ParseDgpsSource(Line("$PMTK501,2")), 2);
    EXPECT_EQ(ParseDgpsSource(Line("$PMTK501,3")), std::nullopt);
    EXPECT_EQ(ParseDgpsSource("$PMTK501"), std::nullopt);

    EXPECT_EQ(ParseSbasMode(Line("$PMTK519,0")), 0);
    EXPECT_EQ(ParseSbasMode(Line("$PMTK519,1")), 1);
    EXPECT_EQ(ParseSbasMode(Line("$PMTK519,2")), std::nullopt);

    struct Fix {
        const char* body;
        std::optional<int> item;
    } fixes[] = {
        {"$PMTK500,1000,0,0,0,0", 0},
        {"$PMTK500,500,0,0,0,0", 1},
        {"$PMTK500,333,0,0,0,0", 2},
        {"$PMTK500,250,0,0,0,0", 3},
        {"$PMTK500,200,0,0,0,0", 4},
        {"$PMTK500,2000,0,0,0,0", std::nullopt},
        {"$PMTK500,100,0,0,0,0", std::nullopt},
        {"$PMTK500,5000,0,0,0,0", std::nullopt},
        {"$PMTK500,1000", 0},
        {"$PMTK500,10", std::nullopt},
        {"$PMTK500", std::nullopt},
    };
    for (const Fix& f : fixes) EXPECT_EQ(ParseFixInterval(Line(f.body)), f.item) << f.body;

    const char* speeds[] = {"4800", "9600", "14400", "19200", "38400", "57600", "115200"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(ParseRtcmSpeed(Line(std::string("$PMTK702,0,0,") + speeds[i])), i) << speeds[i];
        EXPECT_EQ(ParseStoredSettings(Line(std::string("$PMTK590,1,0,") + speeds[i] + ",1")).speedItem, i);
    }
    EXPECT_EQ(ParseRtcmSpeed(Line("$PMTK702,0,0,2400")), std::nullopt);
}

TEST(Answers, Datum) {
    struct Case {
        const char* body;
        int datum;
    } cases[] = {{"$PMTK530,5", 5},
                 {"$PMTK530,12", 12},
                 {"$PMTK530,123", 123},
                 {"$PMTK530,222", 222},
                 {"$PMTK530,0", 0}};
    for (const Case& c : cases) EXPECT_EQ(ParseDatum(Line(c.body)), c.datum) << c.body;
}

TEST(Answers, StoredSettings) {
    const StoredSettings s = ParseStoredSettings(Line("$PMTK590,3,0,9600,1,0,0,0,0,1,0,0,0,0,4800"));
    EXPECT_EQ(s.remainingWrites, 3);
    EXPECT_EQ(s.speedItem, 1);
    const StoredSettings bare = ParseStoredSettings(Line("$PMTK590,2"));
    EXPECT_EQ(bare.remainingWrites, 2);
    EXPECT_EQ(bare.speedItem, std::nullopt);
}

TEST(Answers, VersionTextUpToTheLastStar) {
    EXPECT_EQ(ParseVersionText(Line("$PMTK705,AXN_1.30,0145")), "AXN_1.30,0145");
    EXPECT_EQ(ParseVersionText("$PMTK704,a*b*12\r\n"), "a*b");
    EXPECT_EQ(ParseVersionText("$PMTK705,*12\r\n"), "");
    EXPECT_EQ(ParseVersionText("$PMTK705,abc\r\n"), "");
    EXPECT_EQ(ParseVersionText("$PMTK705"), "");
}

TEST(Answers, Acknowledgements) {
    struct Case {
        const char* command;
        char flag;
        int dgps;
        const char* text;  // null: no box
        const char* caption;
    } cases[] = {
        {"314", '3', 0, "Success!", "Send ok"},
        {"314", '2', 0, "Failed!", "Error"},
        {"301", '3', 2, "WAAS Enabled!", "Send ok"},
        {"301", '3', 1, "RTCM Enabled!", "Send ok"},
        {"301", '3', 0, "DGPS Disabled!", "Send ok"},
        {"301", '3', -1, nullptr, nullptr},
        {"301", '0', 2, "Failed!", "Error"},
        {"330", '3', 0, "Changed Successfully!", "Send ok"},
        {"330", '1', 0, "Failed!", "Error"},
        {"319", '3', 0, "Changed Successfully!", "Send ok"},
        {"319", '2', 0, "Failed!", "Error"},
        {"300", '3', 0, "Changed Successfully!", "Send ok"},
        {"300", '2', 0, "Set Failed!", "Error"},
        {"251", '3', 0, "Changed Successfully!", "Send ok"},
        {"251", '0', 0, "Set Failed!", "Error"},
        {"220", '3', 0, "Change Fix rate Successful!", "Send ok"},
        {"220", '2', 0, "Change Fix rate Failed!", "Error"},
        {"390", '3', 0, "Set Successful!", "Send ok"},
        {"390", '2', 0, "Set Failed!", "Error"},
        {"101", '3', 0, nullptr, nullptr},
        {"414", '3', 0, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const std::string line = Line(std::string("$PMTK001,") + c.command + ',' + c.flag);
        const AckOutcome out = Acknowledgement(c.command, line, c.dgps);
        ASSERT_EQ(out.text == nullptr, c.text == nullptr) << line;
        if (c.text) {
            EXPECT_STREQ(out.text, c.text) << line;
            EXPECT_STREQ(out.caption, c.caption) << line;
        }
        EXPECT_FALSE(out.testModeEnabled) << line;
    }
    EXPECT_TRUE(Acknowledgement("160", Line("$PMTK001,160,3"), 0).testModeEnabled);
    EXPECT_FALSE(Acknowledgement("160", Line("$PMTK001,160,0"), 0).testModeEnabled);
    // An acknowledgement cut before its flag counts as a failure.
    EXPECT_STREQ(Acknowledgement("314", "$PMTK001,314", 0).text, "Failed!");
}
