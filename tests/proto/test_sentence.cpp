#include <gtest/gtest.h>

#include "config/Sentence.h"

TEST(Sentence, ChecksumAndCompletion) {
    struct Case {
        const char* body;
        const char* complete;
    } cases[] = {
        {"$PMTK314,-1", "$PMTK314,-1*04\r\n"},
        {"$PMTK490", "$PMTK490*3F\r\n"},
        {"$PMTK300,1000,0,0,0,0", "$PMTK300,1000,0,0,0,0*1C\r\n"},
        {"$PMTK251,9600", "$PMTK251,9600*17\r\n"},
        {"$PMTK188,1", "$PMTK188,1*2E\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(tarnell::CompleteSentence(c.body), c.complete) << c.body;
    EXPECT_EQ(tarnell::ChecksumText("", 0), "00");
    EXPECT_EQ(tarnell::ChecksumText("$", 1), "00");
}
