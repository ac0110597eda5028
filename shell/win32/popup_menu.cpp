#include "shell/win32/popup_menu.h"

#include "platform/windows/wide_text.h"
#include "shell/win32/menu_plan.h"

namespace tavlo {
namespace {

void append(HMENU into, const std::vector<MenuNode>& nodes)
{
    for (const MenuNode& node : nodes) {
        const std::wstring caption = toWide(node.caption);
        if (node.children.empty()) {
            AppendMenuW(into, MF_STRING, node.id, caption.c_str());
        } else {
            const HMENU submenu = CreatePopupMenu();
            append(submenu, node.children);
            // The submenu now belongs to its parent, which destroys it.
            AppendMenuW(into, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
        }
    }
}

}  // namespace

PopupMenu::PopupMenu() : menu_(CreatePopupMenu())
{
    append(menu_, menuTree());
}

PopupMenu::~PopupMenu()
{
    DestroyMenu(menu_);
}

std::optional<MenuCommand> PopupMenu::choose(HWND owner, POINT at) const
{
    // A menu of a window in the background would not close on a click
    // elsewhere; the message after it lets the menu's loop end properly.
    SetForegroundWindow(owner);
    const BOOL id = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return commandOfMenuId(static_cast<unsigned>(id));
}

}  // namespace tavlo
