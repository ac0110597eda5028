#pragma once

#include <windows.h>

#include <optional>

#include "shell/menu_entries.h"
#include "shell/win32/owned_window.h"

namespace tavlo {

// The menu window frmDTMnMenu: a top-level window that is never shown,
// owned by no other, and the popup menu "DMn" built from kMenuEntries on
// it. The menu is tracked from this window, so that it is this window that
// becomes the foreground one while the menu is open, never the gadget.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    bool created() const { return window_ != nullptr; }

    // Opens the menu at `at` (screen pixels) and waits until it closes: the
    // command chosen, or none.
    std::optional<MenuCommand> choose(POINT at) const;

    // Greys, or brings back, the entries of the clean-ups that run long.
    void enableCleanups(bool enabled) const;

private:
    template <typename Owner> friend LRESULT CALLBACK ownedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HMENU menu_;
    HWND window_ = nullptr;
};

}  // namespace tavlo
