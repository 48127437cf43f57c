#include "config/Sentence.h"

#include <cstdint>

namespace tarnell {

std::string ChecksumText(const char* chars, std::size_t length) {
    std::uint8_t x = 0;
    for (std::size_t i = 1; i < length; ++i) x ^= static_cast<std::uint8_t>(chars[i]);
    static const char digits[] = "0123456789ABCDEF";
    return {digits[x >> 4], digits[x & 0x0F]};
}

std::string CompleteSentence(const std::string& body) {
    return body + '*' + ChecksumText(body.data(), body.size()) + "\r\n";
}

}  // namespace tarnell
