#pragma once

#include <windows.h>

#include <cstdint>

namespace tavlo {

// Makes every pixel of colour `key` (0x00BBGGRR, as COLORREF) show what
// lies behind the window and let clicks through to it: the gadget paints
// its background in the key. Works without a compositing manager.
void applyColourKey(HWND window, std::uint32_t key);

// Makes the window a tool window, which the taskbar and Alt+Tab leave out.
// Called before the window is first shown: the taskbar reads the style
// when the window appears.
void keepOffTaskbar(HWND window);

}  // namespace tavlo
