#pragma once
#include <array>
#include <string_view>

namespace tarnell {

// The map datums the receiver knows, in its numbering: item i is datum number i
// on the wire. The texts are shown as they are, quirks included.
inline constexpr int kDatumCount = 223;
extern const std::array<std::string_view, kDatumCount> DatumTable;

}  // namespace tarnell
