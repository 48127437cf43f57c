#include "link/Framer.h"

namespace tarnell {

namespace {

void Reset(std::string& line, LineBuffer& copy) {
    line.clear();
    copy.Count = 0;
}

}  // namespace

void FrameChunk(const uint8_t* bytes, int32_t count, std::string& line, LineBuffer& copy,
                const std::function<void()>& onLine) {
    for (int32_t i = 0; i < count; ++i) {
        // A full copy holds a line with no end in sight: drop it and start over.
        if (copy.Count < 0 || copy.Count >= LineBuffer::Capacity) Reset(line, copy);
        const uint8_t b = bytes[i];
        line += static_cast<char>(b);
        copy.Bytes[static_cast<std::size_t>(copy.Count++)] = b;
        if (b == '\n') {
            onLine();
            Reset(line, copy);
        }
    }
    if (line.size() > kLineGuard) Reset(line, copy);
}

}  // namespace tarnell
