#include "tools/tarnell-sim/Replay.h"

#include <algorithm>

namespace tarnell::sim {

std::string Replay::Next() {
    bool wrapped = false;
    for (;;) {
        if (at_ >= content_.size()) {
            // A file of nothing but comments would otherwise go round for ever.
            if (!loop_ || wrapped) return {};
            at_ = 0;
            wrapped = true;
        }
        const auto end = content_.find('\n', at_);
        const std::size_t lineEnd = end == std::string::npos ? content_.size() : end + 1;
        const std::size_t from = at_;
        const bool comment = !midLine_ && content_[from] == '#';
        at_ = comment ? lineEnd : std::min(lineEnd, from + kMaxPiece);
        midLine_ = at_ < lineEnd;
        if (!comment) return content_.substr(from, at_ - from);
    }
}

}  // namespace tarnell::sim
