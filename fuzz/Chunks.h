#pragma once
#include <cstddef>
#include <cstdint>

// Stream inputs: two bytes seeding the chunk sizes, then the received bytes.
// The sizes run from 1 to 1024, short ones often, so lines break anywhere.
template <class F>
void ForEachChunk(const uint8_t* data, std::size_t size, F&& onChunk) {
    if (size < 2) return;
    uint32_t state = (uint32_t{data[0]} | uint32_t{data[1]} << 8) * 2654435761u + 1;
    for (std::size_t at = 2; at < size;) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const uint32_t limit = (state & 3) == 0 ? 16 : 1024;
        std::size_t n = 1 + (state >> 8) % limit;
        if (n > size - at) n = size - at;
        onChunk(data + at, static_cast<int32_t>(n));
        at += n;
    }
}
