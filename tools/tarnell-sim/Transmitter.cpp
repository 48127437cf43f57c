#include "tools/tarnell-sim/Transmitter.h"

#include <unistd.h>

#include <algorithm>

#include "link/DeviceSpeed.h"
#include "tools/tarnell-sim/Wire.h"

namespace tarnell::sim {

void Transmitter::Send(std::string bytes, int bps) {
    if (bps > 0 && faults_.badChecksums > 0 && NextChance(seed_) < faults_.badChecksums)
        if (const auto star = bytes.rfind('*'); star != std::string::npos && star + 1 < bytes.size())
            bytes[star + 1] = bytes[star + 1] == '0' ? '1' : '0';
    // The receiver's buffer holds about a second of output; what does not fit is not sent.
    const std::size_t cap = std::max<std::size_t>(1024, static_cast<std::size_t>(std::max(bps, 9600) / 10));
    if (queued_ + bytes.size() > cap) return;
    queued_ += bytes.size();
    queue_.push_back({std::move(bytes), bps});
}

void Transmitter::Noise() {
    std::string burst(1 + NextRandom(seed_) % 64, '\0');
    for (char& c : burst) c = static_cast<char>(NextRandom(seed_));
    Send(std::move(burst), 0);
}

int Transmitter::Timeout() const {
    if (queue_.empty()) return 1000;
    const int bps = queue_.front().bps > 0 ? queue_.front().bps : 9600;
    return std::clamp(160000 / bps, 2, 20);  // about 16 characters' time
}

void Transmitter::Pump(Clock::time_point now) {
    const double elapsed = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    if (queue_.empty() || now < pausedUntil_) {
        budget_ = 0;  // an idle line saves up no time
        return;
    }
    while (!queue_.empty()) {
        Piece& p = queue_.front();
        if (!p.started) Start(p);
        const double perSecond = std::max(p.bps > 0 ? p.bps : 9600, 300) / 10.0;
        // At most a short burst after a late call.
        budget_ = std::min(budget_ + std::max(elapsed, 0.0) * perSecond, perSecond * 0.02 + 16);
        if (budget_ < 1) return;
        const std::size_t n =
            std::min({static_cast<std::size_t>(budget_), p.bytes.size() - p.sent, p.pauseAt - p.sent});
        const ssize_t w = ::write(fd_, p.bytes.data() + p.sent, n);
        if (w > 0 && record_) {
            std::fwrite(p.bytes.data() + p.sent, 1, static_cast<std::size_t>(w), record_);
            std::fflush(record_);
        }
        p.sent += n;
        queued_ -= std::min(queued_, n);
        budget_ -= static_cast<double>(n);
        if (p.sent == p.pauseAt) {
            p.pauseAt = std::string::npos;
            pausedUntil_ = now + kSplitPause;
            budget_ = 0;
            return;
        }
        if (p.sent == p.bytes.size()) queue_.pop_front();
        if (budget_ < 1) return;
    }
}

void Transmitter::Start(Piece& p) {
    p.started = true;
    // The master end sees the line settings the other side gave the terminal.
    const int reader = DeviceSpeed(fd_);
    if (p.bps > 0 && reader > 0 && reader != p.bps) {
        const std::size_t before = p.bytes.size();
        p.bytes = Garble(p.bytes, p.bps, reader, seed_);
        queued_ = queued_ + p.bytes.size() - before;
    }
    if (faults_.split && p.bytes.size() > 1) p.pauseAt = 1 + NextRandom(seed_) % (p.bytes.size() - 1);
}

}  // namespace tarnell::sim
