#include "shell/win32/icon_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "shell/win32/icon_pixels.h"

namespace tavlo {
namespace {

std::uint32_t field(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index)
        value = value << 8 | bytes.at(at + static_cast<std::size_t>(index));
    return value;
}

// The icon drawn by the window system onto white, as 0x00RRGGBB pixels.
std::vector<std::uint32_t> drawnOnWhite(HICON icon, int side)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC device = CreateCompatibleDC(nullptr);
    const HBITMAP picture = CreateDIBSection(device, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(device, picture);
    const RECT all{0, 0, side, side};
    FillRect(device, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(device, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side * side));
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof pixels[0]);
    SelectObject(device, previous);
    DeleteObject(picture);
    DeleteDC(device);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

// Windows reads the file that goes into the program's resources: every
// image at its side, drawn as the icon's own pixels where they are opaque.
TEST(IconFile, HoldsTheIconAtEverySideAsWindowsDrawsIt)
{
    const std::vector<std::uint8_t> file = gadgetIconFile();
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(field(file, 0, 2), 0u);
    EXPECT_EQ(field(file, 2, 2), 1u);
    ASSERT_EQ(field(file, 4, 2), std::size(kIconFileSides));

    std::size_t end = 6 + 16 * std::size(kIconFileSides);
    for (std::size_t index = 0; index < std::size(kIconFileSides); ++index) {
        const int side = kIconFileSides[index];
        SCOPED_TRACE(side);
        const std::size_t entry = 6 + 16 * index;
        EXPECT_EQ(field(file, entry, 1), static_cast<std::uint32_t>(side % 256));
        EXPECT_EQ(field(file, entry + 6, 2), 32u);
        const std::uint32_t size = field(file, entry + 8, 4), offset = field(file, entry + 12, 4);
        // The images follow the directory one after another.
        EXPECT_EQ(offset, end);
        end = offset + size;
        ASSERT_LE(end, file.size());

        const HICON icon = CreateIconFromResourceEx(
            const_cast<BYTE*>(file.data() + offset), size, TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << GetLastError();
        const std::vector<std::uint32_t> drawn = drawnOnWhite(icon, side);
        DestroyIcon(icon);
        const std::vector<std::uint32_t> pixels = gadgetIconPixels(side);
        int opaque = 0, same = 0;
        for (std::size_t at = 0; at < pixels.size(); ++at) {
            if ((pixels[at] >> 24) != 0xFF)
                continue;
            ++opaque;
            same += drawn[at] == (pixels[at] & 0x00FFFFFF) ? 1 : 0;
        }
        EXPECT_GT(opaque, side * side / 2);
        EXPECT_EQ(same, opaque);
    }
    EXPECT_EQ(end, file.size());
}

}  // namespace
}  // namespace tavlo
