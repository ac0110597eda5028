#include "shell/tray_messages.h"

namespace tavlo {

TrayAction trayMessageAction(int message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return TrayAction::UnloadMenu;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return TrayAction::ShowPopup;
    default:
        return TrayAction::Nothing;
    }
}

}  // namespace tavlo
