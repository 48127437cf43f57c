#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>

namespace tarnell::sim {

// Faults the transmit side adds on demand.
struct TransmitFaults {
    double badChecksums = 0;  // chance of a wrong checksum per sentence
    bool split = false;       // cut each sentence at a random point and pause there
    std::uint64_t seed = 1;
};

// The receiver's transmit side on the master end of a pseudo-terminal: sentences
// go out one after another at the line speed they were sent with. Whatever the
// terminal does not take is lost, as a UART's bytes are with nobody listening,
// so a stuck reader costs neither time nor memory.
class Transmitter {
public:
    using Clock = std::chrono::steady_clock;

    Transmitter(int fd, const TransmitFaults& faults, std::FILE* record = nullptr,
                Clock::time_point start = Clock::now())
        : fd_(fd), faults_(faults), record_(record), seed_(faults.seed), last_(start) {}

    // Queues a complete sentence sent at `bps`; 0: raw bytes, sent as they are whatever the reader's speed.
    void Send(std::string bytes, int bps);
    // Queues a burst of noise bytes.
    void Noise();

    // Writes what the line has carried by `now`.
    void Pump(Clock::time_point now);

    std::size_t Queued() const { return queued_; }
    // Milliseconds until Pump has something to do.
    int Timeout() const;

    // The pause after the first part of a split sentence: longer than a reader's poll.
    static constexpr std::chrono::milliseconds kSplitPause{150};

private:
    struct Piece {
        std::string bytes;
        int bps;
        bool started = false;
        std::size_t sent = 0;
        std::size_t pauseAt = std::string::npos;
    };
    void Start(Piece& p);

    int fd_;
    TransmitFaults faults_;
    std::FILE* record_;
    std::uint64_t seed_;
    std::deque<Piece> queue_;
    std::size_t queued_ = 0;
    double budget_ = 0;
    Clock::time_point last_;
    Clock::time_point pausedUntil_{};
};

}  // namespace tarnell::sim
