#include "shell/win32/tray_callback.h"

#include "shell/tray_messages.h"

namespace tavlo {

bool trayCallbackOpensMenu(long long lParam)
{
    // The icon's version 0 callback: the mouse message in the low word.
    return trayMessageAction(static_cast<int>(lParam & 0xFFFF)) == TrayAction::ShowPopup;
}

}  // namespace tavlo
