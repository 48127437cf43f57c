#pragma once
#include <cstddef>
#include <string>

namespace tarnell {

// Exclusive-or of characters 1..length-1 (the leading "$" is skipped), as two
// upper-case hexadecimal digits; "00" for a length of 0 or 1.
std::string ChecksumText(const char* chars, std::size_t length);

// The complete sentence for a body: body, "*", checksum, CR LF.
std::string CompleteSentence(const std::string& body);

}  // namespace tarnell
