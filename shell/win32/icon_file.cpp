#include "shell/win32/icon_file.h"

#include <iterator>

#include "shell/win32/icon_pixels.h"

namespace tavlo {
namespace {

// Little-endian fields, as the file's headers take them.
void put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size)
{
    for (int index = 0; index < size; ++index)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
}

// One image of an icon resource: a BITMAPINFOHEADER of twice the height
// (the colours and the mask stacked), the colours bottom row first, then
// a 1-bit mask that marks the wholly transparent pixels.
std::vector<std::uint8_t> iconImage(int side)
{
    const std::vector<std::uint32_t> pixels = gadgetIconPixels(side);
    const auto width = static_cast<std::uint32_t>(side);
    const std::uint32_t maskRow = (width + 31) / 32 * 4;
    std::vector<std::uint8_t> bytes;
    put(bytes, 40, 4);
    put(bytes, width, 4);
    put(bytes, 2 * width, 4);
    put(bytes, 1, 2);   // planes
    put(bytes, 32, 2);  // bits a pixel
    put(bytes, 0, 4);   // BI_RGB
    put(bytes, width * width * 4 + maskRow * width, 4);
    put(bytes, 0, 16);  // resolution and palette: unused
    for (int row = side - 1; row >= 0; --row)
        for (int column = 0; column < side; ++column)
            put(bytes, pixels[static_cast<std::size_t>(row * side + column)], 4);  // B, G, R, A
    for (int row = side - 1; row >= 0; --row) {
        std::vector<std::uint8_t> mask(maskRow);
        for (int column = 0; column < side; ++column)
            if ((pixels[static_cast<std::size_t>(row * side + column)] >> 24) == 0)
                mask[static_cast<std::size_t>(column / 8)] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
        bytes.insert(bytes.end(), mask.begin(), mask.end());
    }
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> gadgetIconFile()
{
    constexpr std::uint32_t kDirectorySize = 6, kEntrySize = 16;
    constexpr auto kCount = static_cast<std::uint32_t>(std::size(kIconFileSides));
    std::vector<std::uint8_t> file;
    put(file, 0, 2);  // reserved
    put(file, 1, 2);  // an icon, not a cursor
    put(file, kCount, 2);
    std::vector<std::uint8_t> images;
    for (const int side : kIconFileSides) {
        const std::vector<std::uint8_t> image = iconImage(side);
        // A side of 256 does not fit the byte: 0 stands for it.
        put(file, static_cast<std::uint32_t>(side % 256), 1);
        put(file, static_cast<std::uint32_t>(side % 256), 1);
        put(file, 0, 2);   // no palette, reserved
        put(file, 1, 2);   // planes
        put(file, 32, 2);  // bits a pixel
        put(file, static_cast<std::uint32_t>(image.size()), 4);
        put(file, kDirectorySize + kEntrySize * kCount + static_cast<std::uint32_t>(images.size()), 4);
        images.insert(images.end(), image.begin(), image.end());
    }
    file.insert(file.end(), images.begin(), images.end());
    return file;
}

}  // namespace tavlo
