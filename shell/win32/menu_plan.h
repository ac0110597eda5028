#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "shell/menu_entries.h"

namespace tavlo {

// An item of the popup menu as Win32 builds it: a command item with its
// id, or a submenu with its items.
struct MenuNode {
    std::string_view caption;
    unsigned id = 0;  // 0 for a submenu
    std::vector<MenuNode> children;
};

// The tree of kMenuEntries: each entry with children takes the entries that
// follow it as its submenu.
std::vector<MenuNode> menuTree();

// The id of the entry at `index` of kMenuEntries: its place plus one, since
// a menu that returns 0 had nothing chosen.
unsigned menuIdOf(std::size_t index);

// The command of a chosen id; none for 0 (nothing chosen), a submenu's or
// an unknown id.
std::optional<MenuCommand> commandOfMenuId(unsigned id);

}  // namespace tavlo
