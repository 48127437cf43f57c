#pragma once
#include <string>

namespace tarnell::sim {

// A recorded stream played line by line: a raw log of received bytes, or a
// capture whose lines starting with "#" are comments (skipped).
class Replay {
public:
    Replay(std::string content, bool loop) : content_(std::move(content)), loop_(loop) {}

    // The next line, every byte through its LF (the last one may lack it), a long
    // one in pieces of at most kMaxPiece bytes; empty once played out.
    std::string Next();

    static constexpr std::size_t kMaxPiece = 512;

private:
    std::string content_;
    bool loop_;
    std::size_t at_ = 0;
    bool midLine_ = false;
};

}  // namespace tarnell::sim
