#pragma once

#include <windows.h>

namespace tavlo {

// The window procedure of a class whose objects each own one window: the
// object given as the window's creation parameter learns its window at
// WM_NCCREATE and handles every message from then on.
template <typename Owner> LRESULT CALLBACK ownedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner && owner->window_ == window ? owner->handle(message, wParam, lParam)
                                             : DefWindowProcW(window, message, wParam, lParam);
}

// Registers the class `name` of such windows, with the arrow cursor and,
// when given, a background brush.
template <typename Owner>
ATOM registerOwnedWindowClass(HINSTANCE module, const wchar_t* name, HBRUSH background = nullptr)
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = ownedWindowProcedure<Owner>;
    description.hInstance = module;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.hbrBackground = background;
    description.lpszClassName = name;
    return RegisterClassExW(&description);
}

}  // namespace tavlo
