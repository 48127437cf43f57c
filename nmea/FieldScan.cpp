#include "nmea/FieldScan.h"

#include <charconv>
#include <optional>

#include "nmea/Exception.h"

namespace tarnell {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A leading "+" is allowed, which from_chars does not take; "+-1" stays invalid.
const char* SkipPlus(const char* b, const char* e) {
    if (b != e && *b == '+') {
        ++b;
        if (b != e && *b == '-') return nullptr;
    }
    return b;
}

std::optional<int32_t> ParseInteger(const std::string& text) {
    const char* e = text.data() + text.size();
    const char* b = SkipPlus(text.data(), e);
    if (!b) return std::nullopt;
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(b, e, v);
    if (ec != std::errc{} || end != e) return std::nullopt;
    return v;
}

}  // namespace

std::string Fragment(const std::string& line, std::size_t pos, std::size_t len) {
    if (pos < 1 || pos > line.size()) return {};
    return line.substr(pos - 1, len);
}

void ScanFields(const std::string& line, std::string_view delimiters, bool dropMinus,
                const std::function<void(int field, const std::string& text)>& onField) {
    int count = 0;
    std::string field;
    // One or two delimiters: a plain comparison, where a search per character cost a library call.
    const auto isDelimiter = [delimiters](char c) {
        for (const char d : delimiters)
            if (c == d) return true;
        return false;
    };
    for (const char c : line) {
        if (isDelimiter(c)) {
            ++count;
            if (field.empty()) field = "0";
            onField(count, field);
            field.clear();
        } else if (!(dropMinus && c == '-')) {
            field += c;
        }
    }
}

int32_t StrictInteger(const std::string& text) {
    if (const auto v = ParseInteger(text)) return *v;
    throw Exception("'" + text + "' is not a valid integer value");
}

int32_t IntegerOr(const std::string& text, int32_t fallback) {
    return ParseInteger(text).value_or(fallback);
}

double StrictDecimal(const std::string& text) {
    const char* e = text.data() + text.size();
    const char* b = SkipPlus(text.data(), e);
    // Only a digit or "." may follow the sign: from_chars would also take "inf" and "nan".
    const char* first = b && b != e && *b == '-' ? b + 1 : b;
    if (first && first != e && (IsDigit(*first) || *first == '.')) {
        double v = 0.0;
        const auto [end, ec] = std::from_chars(b, e, v, std::chars_format::general);
        if (ec == std::errc{} && end == e) return v;
    }
    throw Exception("'" + text + "' is not a valid floating point value");
}

}  // namespace tarnell
