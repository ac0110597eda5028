#pragma once

namespace tavlo {

// Mouse messages of the notification icon, numbered as on Windows, where
// they arrive as window messages.
inline constexpr int kTrayLeftButtonDown = 0x201;
inline constexpr int kTrayLeftButtonUp = 0x202;
inline constexpr int kTrayLeftDoubleClick = 0x203;
inline constexpr int kTrayRightButtonDown = 0x204;
inline constexpr int kTrayRightButtonUp = 0x205;

enum class TrayAction { Nothing, UnloadMenu, ShowPopup };

// What a message of the icon does: a left button closes the menu window, a
// right button opens the popup menu, anything else does nothing.
TrayAction trayMessageAction(int message);

}  // namespace tavlo
