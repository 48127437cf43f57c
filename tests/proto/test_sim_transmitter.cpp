#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/Sentence.h"
#include "tools/tarnell-sim/Transmitter.h"

using namespace tarnell::sim;
using namespace std::chrono_literals;

namespace {

// A pseudo-terminal whose slave end plays the reader, set raw to a speed.
struct Line {
    int master = -1, slave = -1;
    explicit Line(speed_t speed) {
        EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        SetSpeed(speed);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        fcntl(slave, F_SETFL, fcntl(slave, F_GETFL) | O_NONBLOCK);
    }
    ~Line() {
        close(master);
        close(slave);
    }
    void SetSpeed(speed_t speed) {
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        cfsetspeed(&t, speed);
        tcsetattr(slave, TCSANOW, &t);
    }
    std::string Read() {
        std::string out;
        char buf[4096];
        for (ssize_t n; (n = read(slave, buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
        return out;
    }
};

std::string Sentence(int i) {
    return tarnell::CompleteSentence("$GPTXT,01,01,02,sentence number " + std::to_string(i) +
                                     " padded to about a hundred characters for the pacing test");
}

// Pumps in 10 ms steps from `from` for `span`; the time reached.
Transmitter::Clock::time_point PumpFor(Transmitter& tx, Transmitter::Clock::time_point from,
                                       std::chrono::milliseconds span) {
    for (auto t = from; t < from + span; t += 10ms) tx.Pump(t + 10ms);
    return from + span;
}

}  // namespace

TEST(SimTransmitter, PacesAtTheLineSpeedAndSendsEverySentenceWhole) {
    Line line(B9600);
    const auto t0 = Transmitter::Clock::now();
    Transmitter tx(line.master, {}, nullptr, t0);
    std::string all;
    for (int i = 0; i < 10; ++i) {
        all += Sentence(i);
        tx.Send(Sentence(i), 9600);
    }
    ASSERT_GT(all.size(), 900u);
    // 960 characters a second.
    auto t = PumpFor(tx, t0, 500ms);
    const std::string half = line.Read();
    EXPECT_NEAR(static_cast<double>(half.size()), 480, 40);
    PumpFor(tx, t, 600ms);
    EXPECT_EQ(half + line.Read(), all);
    EXPECT_EQ(tx.Queued(), 0u);
}

TEST(SimTransmitter, AStuckReaderCostsNeitherTimeNorMemory) {
    Line line(B115200);
    std::FILE* record = std::tmpfile();
    const auto t0 = Transmitter::Clock::now();
    Transmitter tx(line.master, {}, record, t0);
    // A minute of a receiver's output nobody reads: the terminal fills up, the rest is lost.
    std::size_t offered = 0;
    auto t = t0;
    for (int second = 0; second < 60; ++second) {
        for (int i = 0; i < 12; ++i) {
            offered += Sentence(i).size();
            tx.Send(Sentence(i), 115200);
        }
        EXPECT_LE(tx.Queued(), 11520u);
        t = PumpFor(tx, t, 1000ms);
    }
    const std::string arrived = line.Read();
    EXPECT_GT(arrived.size(), 0u);
    EXPECT_LT(arrived.size(), offered / 2);
    EXPECT_LE(tx.Queued(), 11520u);
    // The record holds what the terminal took, nothing of what was lost.
    std::rewind(record);
    std::string recorded(offered, '\0');
    recorded.resize(std::fread(recorded.data(), 1, recorded.size(), record));
    std::fclose(record);
    EXPECT_EQ(recorded, arrived);
}

TEST(SimTransmitter, AReaderAtAnotherSpeedGetsLinesThatFailTheirChecksum) {
    Line line(B115200);
    const auto t0 = Transmitter::Clock::now();
    Transmitter tx(line.master, {}, nullptr, t0);
    for (int i = 0; i < 3; ++i) tx.Send(Sentence(i), 9600);
    auto t = PumpFor(tx, t0, 2000ms);
    const std::string garbled = line.Read();
    EXPECT_EQ(garbled.find('*'), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = garbled.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(garbled.substr(garbled.size() - 2), "\r\n");

    // Set to the receiver's speed, the reader gets the sentences as sent.
    line.SetSpeed(B9600);
    tx.Send(Sentence(9), 9600);
    PumpFor(tx, t, 500ms);
    EXPECT_EQ(line.Read(), Sentence(9));
}

TEST(SimTransmitter, FaultsOnDemand) {
    {
        Line line(B115200);
        const auto t0 = Transmitter::Clock::now();
        Transmitter tx(line.master, {.badChecksums = 1}, nullptr, t0);
        tx.Send(Sentence(1), 115200);
        PumpFor(tx, t0, 100ms);
        const std::string got = line.Read(), sent = Sentence(1);
        ASSERT_EQ(got.size(), sent.size());
        EXPECT_NE(got, sent);
        EXPECT_EQ(got.substr(0, sent.size() - 4), sent.substr(0, sent.size() - 4))
            << "only the checksum differs";
    }
    {
        Line line(B115200);
        const auto t0 = Transmitter::Clock::now();
        Transmitter tx(line.master, {.split = true}, nullptr, t0);
        tx.Send(Sentence(1), 115200);
        // The cut comes within the first 20 ms; the rest waits out the pause after it.
        auto t = PumpFor(tx, t0, 20ms);
        const std::string first = line.Read();
        EXPECT_GT(first.size(), 0u);
        EXPECT_LT(first.size(), Sentence(1).size());
        t = PumpFor(tx, t, Transmitter::kSplitPause - 50ms);
        EXPECT_EQ(line.Read(), "") << "the pause holds the rest back";
        PumpFor(tx, t, 200ms);
        EXPECT_EQ(first + line.Read(), Sentence(1));
    }
}
