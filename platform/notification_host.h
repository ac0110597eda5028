#pragma once

#include <functional>
#include <memory>

namespace tavlo {

// The kinds of notification area a desktop runs.
enum class NotificationHost {
    None,
    // A StatusNotifierItem host over the session bus (KDE Plasma, GNOME's
    // AppIndicator extension, XFCE's status tray, waybar): it shows an icon's
    // menu itself, from the copy that the program exports, and reports no
    // right click of its own.
    StatusNotifierItem,
    // An XEmbed system tray (the owner of the X selection
    // _NET_SYSTEM_TRAY_S<screen>): it embeds the icon's window, which sees
    // the clicks itself.
    XEmbed,
};

// Follows the desktop's notification areas as they start, end and start
// again: the StatusNotifierWatcher and its hosts on the session bus, and the
// XEmbed tray's selection on the X server. At login the programs started
// with the session race the panel, so a host may come long after the gadget.
class NotificationHostWatch {
public:
    virtual ~NotificationHostWatch() = default;

    // Whether a host of `kind` runs now.
    virtual bool has(NotificationHost kind) const = 0;
};

// Calls `changed` on the user-interface thread whenever a host may have
// appeared or gone; `has()` then tells which exist. Answers None, and
// never calls, without a session bus and an X server (Qt's offscreen
// platform in tests).
std::unique_ptr<NotificationHostWatch> watchNotificationHosts(std::function<void()> changed);

}  // namespace tavlo
