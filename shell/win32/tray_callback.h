#pragma once

namespace tavlo {

// Whether the icon's callback message, whose lParam carries the mouse
// message, opens the popup menu. shell/tray_messages.h names the mouse
// messages that <windows.h> defines as macros, so the two cannot meet in
// one file: the window procedure asks here, where <windows.h> is not seen.
// The other action, unloading the menu window, has nothing to act on: this
// shell has no menu window.
bool trayCallbackOpensMenu(long long lParam);

}  // namespace tavlo
