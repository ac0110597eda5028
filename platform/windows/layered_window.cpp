#include "platform/windows/layered_window.h"

namespace tavlo {
namespace {

void changeExtendedStyle(HWND window, LONG_PTR add, LONG_PTR remove)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, (style | add) & ~remove);
}

}  // namespace

void applyColourKey(HWND window, std::uint32_t key)
{
    changeExtendedStyle(window, WS_EX_LAYERED, 0);
    SetLayeredWindowAttributes(window, key, 0, LWA_COLORKEY);
}

void keepOffTaskbar(HWND window)
{
    // An application window would be listed even as a tool window.
    changeExtendedStyle(window, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
}

}  // namespace tavlo
