#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tarnell::sim {

// Bytes as one line of text: printable ASCII as it stands, "\\" for a
// backslash, "\r" and "\n" for CR and LF, "\xHH" for any other byte.
std::string EscapeBytes(std::string_view bytes);
std::string UnescapeBytes(std::string_view text);

// The received sentences of a transcript's text, in order, byte for byte.
std::vector<std::string> ReadTranscript(std::string_view text);

// Records what the other side sends: one line per received sentence (every
// byte through its LF), "<UTC time> <escaped bytes>", the time that of the
// sentence's first byte, e.g. "2024-05-01T12:00:00.250Z $PMTK414*33\r\n".
class Transcript {
public:
    explicit Transcript(std::FILE* file) : file_(file) {}
    void Feed(std::string_view bytes, std::int64_t utcMs);
    // Writes a sentence still without its LF (at the end of a run).
    void Flush();

    static std::string Line(std::int64_t utcMs, std::string_view bytes);

private:
    void Write();
    std::FILE* file_;
    std::string pending_;
    std::int64_t firstMs_ = 0;
};

}  // namespace tarnell::sim
