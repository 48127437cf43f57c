#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/Sentence.h"
#include "tools/tarnell-sim/Replay.h"
#include "tools/tarnell-sim/Transcript.h"
#include "tools/tarnell-sim/Wire.h"
#include "tools/tarnell-sim/World.h"

using namespace tarnell::sim;

TEST(SimWire, GarbledLinesNeverPassAChecksum) {
    const World world(Motion{}, 1718020800000);
    const std::vector<std::string> sentences = world.Fix(1718020800000, 0, DefaultRates());
    struct Case {
        int sent, read;
    } cases[] = {{9600, 115200}, {4800, 115200}, {115200, 9600},
                 {115200, 4800}, {57600, 38400}, {38400, 57600}};
    for (const Case& c : cases) {
        std::uint64_t seed = 7, again = 7;
        for (const std::string& s : sentences) {
            const std::string g = Garble(s, c.sent, c.read, seed);
            EXPECT_EQ(g, Garble(s, c.sent, c.read, again)) << "repeatable";
            ASSERT_GE(g.size(), 3u);
            EXPECT_EQ(g.substr(g.size() - 2), "\r\n");
            const std::string body = g.substr(0, g.size() - 2);
            EXPECT_EQ(body.find_first_of("*\r\n"), std::string::npos) << c.sent << "->" << c.read;
            EXPECT_NE(g, s);
            // A faster reader sees more bytes than were sent, a slower one fewer.
            if (c.read >= 2 * c.sent) {
                EXPECT_GT(g.size(), std::min<std::size_t>(s.size(), 250));
            }
            if (c.sent >= 2 * c.read) {
                EXPECT_LT(g.size(), s.size());
            }
        }
    }
}

TEST(SimTranscript, EscapingKeepsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string text = EscapeBytes(all);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(UnescapeBytes(text), all);
    EXPECT_EQ(EscapeBytes("$PMTK414*33\r\n"), "$PMTK414*33\\r\\n");
    EXPECT_EQ(EscapeBytes(std::string("a\\\0\xB0", 4)), "a\\\\\\x00\\xB0");
}

TEST(SimTranscript, OneTimeStampedLinePerSentence) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    Transcript t(f);
    const std::string first = tarnell::CompleteSentence("$PMTK414"),
                      second = tarnell::CompleteSentence("$PMTK430");
    const std::string both = first + second + "$PMTK4";
    t.Feed(both.substr(0, 5), 1718020800250);  // a sentence in pieces keeps the time of its first byte
    t.Feed(both.substr(5, first.size() + 3), 1718020800900);
    t.Feed(both.substr(first.size() + 8), 1718020801000);
    t.Flush();  // the unfinished tail at the end of a run

    std::rewind(f);
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    EXPECT_EQ(text,
              "2024-06-10T12:00:00.250Z $PMTK414*33\\r\\n\n"
              "2024-06-10T12:00:00.900Z $PMTK430*35\\r\\n\n"
              "2024-06-10T12:00:01.000Z $PMTK4\n");
    EXPECT_EQ(ReadTranscript(text), (std::vector<std::string>{first, second, "$PMTK4"}));
}

TEST(SimReplay, PlaysLinesExactlyAndSkipsComments) {
    const std::string file = std::string("# device: test\n$GPGGA,1*00\r\n\r\n#x\n$GPRMC\0,2\r\ntail", 48);
    Replay once(file, false);
    std::vector<std::string> lines;
    for (std::string l; !(l = once.Next()).empty();) lines.push_back(l);
    EXPECT_EQ(lines, (std::vector<std::string>{"$GPGGA,1*00\r\n", "\r\n", std::string("$GPRMC\0,2\r\n", 11),
                                               "tail"}));

    Replay looping(file, true);
    for (int i = 0; i < 8; ++i) looping.Next();
    EXPECT_EQ(looping.Next(), "$GPGGA,1*00\r\n");
    EXPECT_EQ(Replay("# only comments\n#\n", true).Next(), "");
    EXPECT_EQ(Replay("", true).Next(), "");

    // A long run without a line feed comes in pieces; a "#" inside it is no comment.
    const std::string run = std::string(Replay::kMaxPiece, 'x') + "#y\r\n";
    Replay pieces(run + "#c\n", false);
    EXPECT_EQ(pieces.Next(), run.substr(0, Replay::kMaxPiece));
    EXPECT_EQ(pieces.Next(), "#y\r\n");
    EXPECT_EQ(pieces.Next(), "");
}
