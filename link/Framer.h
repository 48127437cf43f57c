#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "link/LineBuffer.h"

namespace tarnell {

// A line still incomplete after a chunk is dropped once it is longer than this.
constexpr std::size_t kLineGuard = 400;

// Appends each byte of the chunk to `line` and to the pump's own copy. At each
// line feed onLine runs with the complete line in both, then both are emptied
// (onLine may change `line` meanwhile). A copy filled without a line feed is
// dropped when the next byte comes, as the guard drops an over-long line after
// the chunk.
void FrameChunk(const uint8_t* bytes, int32_t count, std::string& line, LineBuffer& copy,
                const std::function<void()>& onLine);

}  // namespace tarnell
