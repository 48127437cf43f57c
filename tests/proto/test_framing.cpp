#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Sentence.h"
#include "link/Framer.h"
#include "nmea/GpsDecoder.h"

namespace {

bool Verify(const std::string& line) {
    return tarnell::GpsDecoder{}.VerifyChecksum(reinterpret_cast<const uint8_t*>(line.data()),
                                                static_cast<int32_t>(line.size()));
}

TEST(Checksum, Cases) {
    struct Case {
        const char* line;
        bool ok;
    } cases[] = {
        {"$GPGGA,123519,4807.038,N*27\r\n", true},
        {"$PMTK490*3F\r\n", true},
        {"$PMTK490*3f\r\n", true},     // lower-case digits
        {"$PMTK490*3F", true},         // nothing needed after the digits
        {"!PMTK490*3F\r\n", true},     // the first byte is never summed
        {"xx$PMTK490*3F\r\n", false},  // stray bytes before the "$" are
        {"$PMTK490*3E\r\n", false},
        {"$PMTK4903F\r\n", false},  // no "*"
        {"$PMTK490*3", false},      // one digit
        {"$PMTK490*", false},
        {"\n", false},  // an empty line
        {"", false},
        {"*00\r\n", false},       // a leading "*" is the skipped byte, not the mark
        {"$*00\r\n", true},       // nothing between "$" and "*"
        {"$A\xE9*a8\r\n", true},  // high bytes count like any other
    };
    for (const Case& c : cases) EXPECT_EQ(Verify(c.line), c.ok) << c.line;
}

// Runs the framer over the chunks and records the lines it completes, with the copy's bytes.
struct Framed {
    std::string line;
    tarnell::LineBuffer copy;
    std::vector<std::string> lines;
    std::vector<std::string> copies;

    void Feed(const std::string& chunk) {
        tarnell::FrameChunk(reinterpret_cast<const uint8_t*>(chunk.data()),
                            static_cast<int32_t>(chunk.size()), line, copy, [this] {
                                lines.push_back(line);
                                copies.emplace_back(reinterpret_cast<const char*>(copy.Bytes.data()),
                                                    static_cast<std::size_t>(copy.Count));
                            });
    }
};

TEST(Framer, SplitAtEveryPositionGivesTheSameLines) {
    const std::string stream =
        tarnell::CompleteSentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,") + "\r\n" +
        tarnell::CompleteSentence("$PMTK001,314,3") + "tail";
    const std::vector<std::string> want = {
        tarnell::CompleteSentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,"), "\r\n",
        tarnell::CompleteSentence("$PMTK001,314,3")};
    for (std::size_t a = 0; a <= stream.size(); ++a) {
        for (std::size_t b = a; b <= stream.size(); b += 7) {
            Framed f;
            f.Feed(stream.substr(0, a));
            f.Feed(stream.substr(a, b - a));
            f.Feed(stream.substr(b));
            ASSERT_EQ(f.lines, want) << a << "," << b;
            ASSERT_EQ(f.copies, want) << a << "," << b;
            EXPECT_EQ(f.line, "tail");
            EXPECT_EQ(f.copy.Count, 4);
        }
    }
    EXPECT_TRUE(Verify(want[0]));
}

TEST(Framer, GuardDropsOnlyWhatIsLongerThan400AfterAChunk) {
    Framed kept;
    kept.Feed("$" + std::string(399, 'a'));
    EXPECT_EQ(kept.line.size(), 400u);
    kept.Feed("*00\r\n");
    ASSERT_EQ(kept.lines.size(), 1u);
    EXPECT_EQ(kept.lines[0].size(), 405u);
    EXPECT_EQ(kept.copies[0], kept.lines[0]);

    Framed dropped;
    dropped.Feed("$" + std::string(400, 'a'));
    EXPECT_EQ(dropped.line, "");
    EXPECT_EQ(dropped.copy.Count, 0);
    dropped.Feed("*00\r\n");
    EXPECT_EQ(dropped.lines, std::vector<std::string>{"*00\r\n"});

    // Inside one chunk a line may grow past the guard and still complete.
    Framed within;
    within.Feed(std::string(900, 'b') + "\n" + "next");
    ASSERT_EQ(within.lines.size(), 1u);
    EXPECT_EQ(within.lines[0].size(), 901u);
    EXPECT_EQ(within.line, "next");
}

TEST(Framer, CapacityDropsTheLineAndNothingIsWrittenPastIt) {
    constexpr int cap = tarnell::LineBuffer::Capacity;
    // 1023 bytes and the line feed just fit.
    Framed fits;
    fits.Feed(std::string(cap - 1, 'c') + "\n");
    ASSERT_EQ(fits.lines.size(), 1u);
    EXPECT_EQ(fits.lines[0].size(), static_cast<std::size_t>(cap));

    // A full copy without a line feed is dropped; what follows starts a new line.
    Framed over;
    over.Feed(std::string(cap, 'c') + "$PMTK490*3F\r\n");
    EXPECT_EQ(over.lines, std::vector<std::string>{"$PMTK490*3F\r\n"});
    EXPECT_EQ(over.copies, over.lines);

    // The copy belongs to the pump; the line may hold another pump's bytes and is emptied with it.
    Framed shared;
    shared.line = "$GPR";
    shared.Feed("MC\r\n");
    EXPECT_EQ(shared.lines, std::vector<std::string>{"$GPRMC\r\n"});
    EXPECT_EQ(shared.copies, std::vector<std::string>{"MC\r\n"});
}

}  // namespace
