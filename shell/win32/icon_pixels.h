#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

// The program's icon (display/app_icon.h) drawn at `side` pixels: 0xAARRGGBB
// pixels row by row from the top, with straight alpha as a 32-bit icon takes
// it. Each pixel is sampled 4 × 4 times, so edges are smooth.
std::vector<std::uint32_t> gadgetIconPixels(int side);

}  // namespace tavlo
