#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

// The sides in pixels that the program's icon file holds: the small icons
// of the notification area and the title bars at 100 % to 200 %, the
// Explorer's views, and the large tiles.
inline constexpr int kIconFileSides[] = {16, 20, 24, 32, 40, 48, 64, 256};

// The program's icon (gadgetIconPixels) as the bytes of a Windows .ico file:
// one 32-bit image with an alpha channel and its mask for every side.
std::vector<std::uint8_t> gadgetIconFile();

}  // namespace tavlo
