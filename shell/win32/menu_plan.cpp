#include "shell/win32/menu_plan.h"

namespace tavlo {

unsigned menuIdOf(std::size_t index)
{
    return static_cast<unsigned>(index + 1);
}

std::vector<MenuNode> menuTree()
{
    std::vector<MenuNode> root;
    MenuNode* submenu = nullptr;
    int childrenLeft = 0;
    for (std::size_t index = 0; index < kMenuEntries.size(); ++index) {
        const MenuEntry& entry = kMenuEntries[index];
        std::vector<MenuNode>& into = childrenLeft > 0 ? submenu->children : root;
        if (childrenLeft > 0)
            --childrenLeft;
        if (entry.children > 0) {
            into.push_back({entry.caption, 0, {}});
            submenu = &into.back();
            childrenLeft = entry.children;
        } else {
            into.push_back({entry.caption, menuIdOf(index), {}});
        }
    }
    return root;
}

std::optional<MenuCommand> commandOfMenuId(unsigned id)
{
    if (id == 0 || id > kMenuEntries.size())
        return std::nullopt;
    const MenuCommand command = kMenuEntries[id - 1].command;
    return command == MenuCommand::None ? std::nullopt : std::optional<MenuCommand>(command);
}

}  // namespace tavlo
