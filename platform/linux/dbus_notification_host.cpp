#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

#include "platform/notification_host.h"

namespace tavlo {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// A watcher that holds a host, asked without starting one that the bus
// could activate, and without a wait of more than a moment.
bool hostRegistered()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher).value())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

bool statusNotifierHostRegistered()
{
    // The question Qt 6.4 asks before its first icon: with a host there, it
    // exports the icon over D-Bus; without, it embeds it through X11.
    static const bool registered = hostRegistered();
    return registered;
}

}  // namespace tavlo
