#pragma once
#include <array>
#include <cstdint>

namespace tarnell {

// A pump's own byte copy of the line being assembled, used for the checksum.
struct LineBuffer {
    static constexpr int32_t Capacity = 1024;
    std::array<uint8_t, Capacity> Bytes{};
    int32_t Count = 0;
};

}  // namespace tarnell
