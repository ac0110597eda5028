#include "shell/win32/popup_menu.h"

#include "platform/windows/wide_text.h"
#include "shell/maintenance.h"
#include "shell/win32/menu_plan.h"

namespace tavlo {
namespace {

constexpr wchar_t kWindowClass[] = L"frmDTMnMenu";

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
    const HINSTANCE module = GetModuleHandleW(nullptr);
    static const ATOM windowClass = registerOwnedWindowClass<PopupMenu>(module, kWindowClass);
    if (!windowClass)
        return;
    // Owned by no window: bringing an owned window to the front would raise
    // its owner, the gadget, with it.
    CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"Tavlo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, this);
}

PopupMenu::~PopupMenu()
{
    if (window_)
        DestroyWindow(window_);
    DestroyMenu(menu_);
}

LRESULT PopupMenu::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void PopupMenu::enableCleanups(bool enabled) const
{
    for (std::size_t index = 0; index < kMenuEntries.size(); ++index) {
        if (runsLong(kMenuEntries[index].command))
            EnableMenuItem(menu_, menuIdOf(index), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

std::optional<MenuCommand> PopupMenu::choose(POINT at) const
{
    if (!window_)
        return std::nullopt;
    // A menu of a window in the background would not close on a click
    // elsewhere; the message after it lets the menu's loop end properly.
    SetForegroundWindow(window_);
    const BOOL id = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
    return commandOfMenuId(static_cast<unsigned>(id));
}

}  // namespace tavlo
