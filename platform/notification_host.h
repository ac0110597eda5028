#pragma once

namespace tavlo {

// True when the desktop's notification area is a StatusNotifierItem host
// (KDE Plasma, GNOME's AppIndicator extension, XFCE's status tray, waybar):
// it shows an icon's menu itself, from the copy that the program exports,
// and reports no right click of its own. Asked once, as Qt asks when it
// chooses how to show its first icon; the answer holds for the life of the
// process, as Qt's choice does.
bool statusNotifierHostRegistered();

}  // namespace tavlo
