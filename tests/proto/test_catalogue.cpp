#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "config/Catalogue.h"
#include "config/DatumTable.h"
#include "config/Sentence.h"

using namespace tarnell;

TEST(Catalogue, FixedSentencesCarryTheirOwnChecksum) {
    struct Case {
        const char* stored;
        const char* body;
    } cases[] = {
        {kHotRestart, "$PMTK101"},       {kWarmRestart, "$PMTK102"},
        {kColdRestart, "$PMTK103"},      {kDefaultOutput, "$PMTK314,-1"},
        {kQueryFixInterval, "$PMTK400"}, {kQueryDgpsSource, "$PMTK401"},
        {kQueryOutputRates, "$PMTK414"}, {kQuerySbasMode, "$PMTK419"},
        {kQueryDatum, "$PMTK430"},       {kQueryStoredSettings, "$PMTK490"},
        {kQueryRtcmSpeed, "$PMTK602"},   {kQueryVersionSecond, "$PMTK604"},
        {kQueryVersion, "$PMTK605"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.stored, CompleteSentence(c.body)) << c.body;
    EXPECT_EQ(std::string(kHotRestart), "$PMTK101*32\r\n");
    EXPECT_EQ(std::string(kDefaultOutput), "$PMTK314,-1*04\r\n");
    EXPECT_EQ(std::string(kQuerySbasMode), "$PMTK419*3E\r\n");
}

TEST(Catalogue, QueryOrders) {
    const char* startup[] = {"$PMTK414*33\r\n", "$PMTK401*37\r\n", "$PMTK602*36\r\n", "$PMTK430*35\r\n",
                             "$PMTK490*3F\r\n", "$PMTK400*36\r\n", "$PMTK419*3E\r\n"};
    const char* all[] = {"$PMTK490*3F\r\n", "$PMTK414*33\r\n", "$PMTK401*37\r\n", "$PMTK602*36\r\n",
                         "$PMTK430*35\r\n", "$PMTK419*3E\r\n", "$PMTK400*36\r\n"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(std::string(kStartupQueries[i]), startup[i]) << i;
        EXPECT_EQ(std::string(kAllQueries[i]), all[i]) << i;
    }
}

TEST(Catalogue, FormattedCommandsOnTheWire) {
    OutputRates ggaOnly;
    ggaOnly.gga = 5;
    const OutputRates distinct{1, 2, 3, 4, 5, 0, 2, 3};  // gll rmc vtg gga gsa gsv zda mchn

    FlashSettings start;  // as the page shows at start
    start.baud = "4800";
    FlashSettings unprotected = start;
    unprotected.protection = "";
    FlashSettings full{"2", 5, "115200", distinct, 2, 222, "9600"};

    struct Case {
        std::string body;
        const char* wire;
    } cases[] = {
        {OutputRatesBody({}), "$PMTK314,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0*28\r\n"},
        {DatumBody(222), "$PMTK330,222*2C\r\n"},
        {DatumBody(0), "$PMTK330,0*2E\r\n"},
        {FixIntervalBody(333), "$PMTK300,333,0,0,0,0*2E\r\n"},
        {FixIntervalBody(1000), "$PMTK300,1000,0,0,0,0*1C\r\n"},
        {BaudBody(""), "$PMTK251,*18\r\n"},
        {BaudBody("9600"), "$PMTK251,9600*17\r\n"},
        {WakeupBody(), "$PMTK188,1*2E\r\n"},
        {DgpsSourceBody(0), "$PMTK301,0*2C\r\n"},
        {FlashWriteBody(start), "$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0,*35\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(CompleteSentence(c.body), c.wire) << c.body;

    EXPECT_EQ(OutputRatesBody(ggaOnly), "$PMTK314,0,0,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(OutputRatesBody(distinct), "$PMTK314,1,2,3,4,5,0,0,0,0,0,0,0,0,0,0,0,0,2,3");
    EXPECT_EQ(DgpsSourceBody(2), "$PMTK301,2");
    EXPECT_EQ(SbasModeBody(1), "$PMTK319,1");
    EXPECT_EQ(TestModeBody(), "$PMTK160,1");
    EXPECT_EQ(FlashWriteBody(unprotected), "$PMTK390,,1,4800,0,0,0,0,0,0,0,0,0,0,");
    // GSA and GSV stand before GGA here, unlike the output-rates command.
    EXPECT_EQ(FlashWriteBody(full), "$PMTK390,2,5,115200,1,2,3,5,0,4,2,3,2,222,9600");
}

TEST(Catalogue, FieldValuesFromControls) {
    struct Hz {
        int item;
        const char* text;
        int hz;
    } rates[] = {
        {0, "1", 1},
        {2, "3", 3},
        {4, "5", 5},
        {-1, "7", 7},
        {-1, "10", 10},
        {-1, "010", 10},
        {-1, "11", 1},
        {-1, "0", 1},
        {-1, "", 1},
        {-1, "2.5", 1},
        {-1, "-2", 1},
        {-1, " 3", 1},
        {-1, "99999999999", 1},
    };
    for (const Hz& r : rates) EXPECT_EQ(FixRateHz(r.item, r.text), r.hz) << r.item << " '" << r.text << "'";

    const int ms[] = {1000, 500, 333, 250, 200, 166, 142, 125, 111, 100};
    for (int hz = 1; hz <= 10; ++hz) EXPECT_EQ(FixIntervalMs(hz), ms[hz - 1]) << hz;

    EXPECT_EQ(RateValue(-1), 0);
    EXPECT_EQ(RateValue(5), 5);
    EXPECT_EQ(RateValue(6), 0);
    EXPECT_EQ(DatumValue(-1), 0);
    EXPECT_EQ(DatumValue(222), 222);
    EXPECT_EQ(DatumValue(223), 0);
    EXPECT_EQ(DgpsSourceValue(true, true), 2);
    EXPECT_EQ(DgpsSourceValue(false, true), 1);
    EXPECT_EQ(DgpsSourceValue(false, false), 0);
}

TEST(DatumTable, AllItemsCharacterForCharacter) {
    ASSERT_EQ(DatumTable.size(), 223u);
    // FNV-1a over the texts joined by LF.
    std::uint64_t h = 0xcbf29ce484222325ull;
    std::size_t total = 0;
    for (std::size_t i = 0; i < DatumTable.size(); ++i) {
        const std::string number = "(" + std::to_string(i) + ")";
        EXPECT_EQ(DatumTable[i].substr(0, number.size()), number) << i;
        std::string text(DatumTable[i]);
        if (i > 0) text.insert(text.begin(), '\n');
        for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ull;
        total += DatumTable[i].size();
    }
    EXPECT_EQ(total, 9072u);
    EXPECT_EQ(h, 0x191a655038fbe4d3ull);

    struct Item {
        int i;
        const char* text;
    } items[] = {
        {0, "(0)WGS1984\"International\""},
        {16, "(16)Antigua Island Astro 1943\"Antigua(Leeward Islands)"},
        {41, "(41)Bukit Rimpah\"Indonesia(Bangka and Belitung Ids)"},
        {42, "(42)Camp Area Astro\"Antarctica(McMurdi Camp Area)"},
        {48, "(48)Chatham Island Astro 1971\"New Zealand(Chatham Island)"},
        {53, "(53)Djakarta(Batavia)\"Indonesia(Sumatra)"},
        {54, "(54)Dos 1968\"New Georgia Islands(Gizo Island)"},
        {90, "(90)Indian 1960 Vietnam (Near 16 deg N)\""},
        {147, "(147)Old Egyptian 1907\"Egypt\""},
        {148, "(148)Old Hawaiian\"Hawaii\" "},
        {151, "(151)Old Hawaiian\"Mean For Hawaii, Kauai, Maui, Oahu\""},
        {164, "(164)Provisional  South  American 1956\"Bolovia\""},
        {165, "(165)Provisional  South  American 1956\"Chile (Northern Near 19 deg S)\"  "},
        {182, "(182)S-42 (Pulkovo 1942)\"Czechoslavakia\""},
        {221, "(221)Yacare\"Uruguay\" "},
        {222, "(222)Zanderij\"Suriname\""},
    };
    for (const Item& it : items) EXPECT_EQ(DatumTable[it.i], it.text) << it.i;

    int trailing = 0;
    for (std::string_view t : DatumTable) trailing += t.back() == ' ';
    EXPECT_EQ(trailing, 48);
}
