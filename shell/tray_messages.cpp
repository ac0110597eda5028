#include "shell/tray_messages.h"

namespace tavlo {

TrayAction trayMessageAction(int message)
{
    switch (message) {
    case kTrayLeftButtonDown:
    case kTrayLeftButtonUp:
        return TrayAction::UnloadMenu;
    case kTrayRightButtonDown:
    case kTrayRightButtonUp:
        return TrayAction::ShowPopup;
    default:
        return TrayAction::Nothing;
    }
}

}  // namespace tavlo
