#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

// What the window system offers the gadget window beyond Qt's own calls.
// Both answer harmlessly on a platform without such a window system (Qt's
// offscreen platform in tests).

// True while a compositing manager runs, so that per-pixel alpha shows the
// wallpaper through the window; false when only a shape can cut it out.
bool compositorRunning();

// Keeps the native window `window` out of the taskbar and the pager. Called
// before the window is first shown.
void keepOffTaskbar(std::uintptr_t window);

// Asks the window manager never to give the native window `window` the
// keyboard focus, neither when it appears nor on a click: it takes no
// keyboard input, and a user typing elsewhere keeps the focus. Called
// before the window is first shown.
void refuseKeyboardFocus(std::uintptr_t window);

// A mask of device pixels: a set bit keeps its pixel. Rows of `stride` bytes,
// the leftmost pixel in the least significant bit.
struct WindowShape {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bits;

    bool kept(int x, int y) const
    {
        return bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x / 8)]
            >> (x % 8)
            & 1;
    }
};

// What a window shape cuts away: the drawing and the clicks (where only a
// shape lets the desktop show through), or the clicks alone (where a
// compositor shows it through fully transparent pixels).
enum class ShapeKind { DrawingAndInput, InputOnly };

// Cuts the native window down to the kept pixels of the mask; the rest lets
// clicks through to what lies behind the window, and with DrawingAndInput
// shows it as well.
void setWindowShape(std::uintptr_t window, const WindowShape& shape, ShapeKind kind);

}  // namespace tavlo
