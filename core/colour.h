#pragma once

#include <cstdint>

namespace tavlo {

// A colour value laid out 0x00BBGGRR (red in the low byte).
using Colour = std::int32_t;

inline constexpr Colour kSilver = 12632256;  // 0xC0C0C0, the design colour of every readout

}  // namespace tavlo
