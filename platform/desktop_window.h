#pragma once

#include <cstdint>

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

}  // namespace tavlo
