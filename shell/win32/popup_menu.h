#pragma once

#include <windows.h>

#include <optional>

#include "shell/menu_entries.h"

namespace tavlo {

// The popup menu "DMn" built from kMenuEntries, with a submenu for each
// entry that has children.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Opens the menu at `at` (screen pixels) for `owner` and waits until it
    // closes: the command chosen, or none.
    std::optional<MenuCommand> choose(HWND owner, POINT at) const;

private:
    HMENU menu_;
};

}  // namespace tavlo
