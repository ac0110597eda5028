#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

// A square picture as 0xFFRRGGBB pixels, row by row.
struct MoonPicture {
    int size = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)];
    }
};

// The moon at `age` whole days (0 to 29) on a black square of `size` pixels:
// dark at 0 and 29, lit from the right while waxing to the full moon at 15,
// then lit from the left while waning. Shaded as a sphere, with a soft
// terminator, faint earthshine on the night side and the darker seas of the
// near side.
MoonPicture drawMoonPicture(int age, int size);

}  // namespace tavlo
