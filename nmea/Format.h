#pragma once
#include <cstdint>
#include <string>

namespace tarnell {

// v without its fraction, toward zero; values beyond the 32-bit range stop at its ends.
int32_t TruncInt32(double v);

// The shortest form with at most 15 significant digits, no trailing zeros,
// fixed notation from 0.0001 up to 15 integer digits and scientific ("1.852E-5")
// otherwise. The decimal separator is "."; the caller swaps in the locale's.
std::string GeneralNumber(double v);

// v with exactly `decimals` decimals and "." as the separator, at least `width` characters.
std::string FixedPoint(double v, int decimals, int width);

}  // namespace tarnell
