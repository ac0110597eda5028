#pragma once

#include <windows.h>

#include <functional>

#include "core/colour.h"
#include "shell/win32/dpi_scale.h"
#include "shell/win32/owned_window.h"
#include "shell/win32/strip_pointer.h"

namespace tavlo {

// The position strip on Win32: a child window over the band that the
// position mode uncovers below the readouts. It paints the drag handle and
// the two buttons over the gadget's colour key, holds the pointer through
// SetCapture while the handle is dragged, and reports what the pointer did.
class PositionStripWindow {
public:
    using Handler = std::function<void(const StripEvent&)>;

    // Drawn at the gadget's `scale`; the pointer's moves in twips at the
    // `desktop` scale the gadget is placed at.
    PositionStripWindow(HWND gadget, DpiScale scale, DpiScale desktop, Handler handler);
    ~PositionStripWindow();
    PositionStripWindow(const PositionStripWindow&) = delete;
    PositionStripWindow& operator=(const PositionStripWindow&) = delete;

    // Shown in the position mode only, painted with the gadget's key.
    void sync(bool shown, Colour key);

private:
    template <typename Owner> friend LRESULT CALLBACK ownedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void drawHandle(HDC device, const RECT& place) const;
    void drawButton(HDC device, const RECT& place, StripPart part) const;
    // A point of this window's client area in the gadget window's pixels.
    POINT inGadget(LPARAM lParam) const;

    Handler handler_;
    StripPointer pointer_;
    POINT origin_{};
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    Colour key_ = 0;
};

}  // namespace tavlo
