#include "tools/tarnell-sim/Transcript.h"

#include <cstdio>
#include <ctime>

namespace tarnell::sim {

namespace {
// A run of bytes without a line feed is recorded in pieces of this size.
constexpr std::size_t kMaxPending = 1024;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

std::string EscapeBytes(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (u >= 0x20 && u < 0x7F)
            out += c;
        else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return out;
}

std::string UnescapeBytes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char e = text[++i];
        if (e == 'r')
            out += '\r';
        else if (e == 'n')
            out += '\n';
        else if (e == 'x' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                 HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else
            out += e;
    }
    return out;
}

std::vector<std::string> ReadTranscript(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (const auto space = line.find(' '); space != std::string_view::npos)
            out.push_back(UnescapeBytes(line.substr(space + 1)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

std::string Transcript::Line(std::int64_t utcMs, std::string_view bytes) {
    const std::time_t seconds = static_cast<std::time_t>(utcMs / 1000);
    std::tm t{};
    gmtime_r(&seconds, &t);
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(utcMs % 1000));
    return std::string(stamp) + " " + EscapeBytes(bytes) + "\n";
}

void Transcript::Feed(std::string_view bytes, std::int64_t utcMs) {
    for (char c : bytes) {
        if (pending_.empty()) firstMs_ = utcMs;
        pending_ += c;
        if (c == '\n' || pending_.size() == kMaxPending) Write();
    }
}

void Transcript::Flush() {
    if (!pending_.empty()) Write();
}

void Transcript::Write() {
    const std::string line = Line(firstMs_, pending_);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);  // readers follow the file while the run goes on
    pending_.clear();
}

}  // namespace tarnell::sim
