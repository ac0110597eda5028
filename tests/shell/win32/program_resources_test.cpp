#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/windows/wide_text.h"
#include "shell/win32/icon_pixels.h"

namespace tavlo {
namespace {

// tavlo.exe as this build made it, read through Windows' own calls.
const std::wstring kProgram = toWide(TAVLO_PROGRAM);

std::wstring versionString(const std::vector<std::uint8_t>& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
        return L"(none)";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST(ProgramResources, NameTheProductAndItsVersion)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &ignored);
    ASSERT_NE(size, 0u) << GetLastError();
    std::vector<std::uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, block.data()));

    EXPECT_EQ(versionString(block, L"ProductName"), L"Tavlo");
    EXPECT_EQ(versionString(block, L"FileVersion"), toWide(TAVLO_VERSION));
    EXPECT_EQ(versionString(block, L"ProductVersion"), toWide(TAVLO_VERSION));
    EXPECT_NE(versionString(block, L"FileDescription"), L"(none)");

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &fixed, &length));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    const std::wstring numbers = std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"."
        + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(HIWORD(info->dwFileVersionLS));
    EXPECT_EQ(numbers, toWide(TAVLO_VERSION));
    EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
}

// The icon that the notification area and Explorer load from the program
// is the one drawn from the icon's shapes.
TEST(ProgramResources, CarryTheIconDrawnFromItsShapes)
{
    const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << GetLastError();
    for (const int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        const auto icon
            = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, side);
        EXPECT_EQ(bitmap.bmHeight, side);

        // The colours as 0xAARRGGBB, top row first, as the shapes gave them.
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side * side));
        const HDC device = CreateCompatibleDC(nullptr);
        EXPECT_EQ(
            GetDIBits(device, info.hbmColor, 0, static_cast<UINT>(side), pixels.data(), &format, DIB_RGB_COLORS), side);
        DeleteDC(device);
        EXPECT_EQ(pixels, gadgetIconPixels(side));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(program);
}

}  // namespace
}  // namespace tavlo
