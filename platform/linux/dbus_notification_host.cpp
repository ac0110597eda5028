#include <QDBusConnection>
#include <QDBusInterface>

#include "platform/notification_host.h"

namespace tavlo {

bool statusNotifierHostRegistered()
{
    // The question Qt asks before it exports an icon over D-Bus: without a
    // host there, it embeds the icon through X11 instead.
    static const bool registered = [] {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return false;
        const QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
            QStringLiteral("/StatusNotifierWatcher"), QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
        return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
    }();
    return registered;
}

}  // namespace tavlo
