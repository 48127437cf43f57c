#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarnell {

// Characters pos..pos+len-1 of a line, positions counted from 1; whatever of
// that range exists (possibly nothing).
std::string Fragment(const std::string& line, std::size_t pos, std::size_t len);

// Walks the line once and hands each closed field to onField with its number:
// field k is the text closed by the k-th delimiter, field 1 being the identifier
// with its "$". An empty field arrives as "0". Characters after the last
// delimiter are never closed. With dropMinus every "-" is left out.
void ScanFields(const std::string& line, std::string_view delimiters, bool dropMinus,
                const std::function<void(int field, const std::string& text)>& onField);

// An optionally signed decimal integer, the whole text; otherwise throws
// tarnell::Exception "'<text>' is not a valid integer value".
int32_t StrictInteger(const std::string& text);
// A decimal number with "." as its separator, the whole text, whatever the
// locale; otherwise throws "'<text>' is not a valid floating point value".
double StrictDecimal(const std::string& text);
// StrictInteger, with fallback in place of the error.
int32_t IntegerOr(const std::string& text, int32_t fallback);

}  // namespace tarnell
