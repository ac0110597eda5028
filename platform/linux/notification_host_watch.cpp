#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

#include "platform/linux/x11_connection.h"
#include "platform/notification_host.h"

namespace tavlo {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

// A watcher that holds a host, asked without starting one that the bus
// could activate, and without a wait of more than a moment.
bool statusNotifierHostRegistered(const QDBusConnection& bus)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher).value())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

class LinuxHostWatch final : public QObject, public NotificationHostWatch, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit LinuxHostWatch(std::function<void()> changed)
        : changed_(std::move(changed)), bus_(QDBusConnection::sessionBus()), x_(x11Connection())
    {
        if (bus_.isConnected()) {
            // The watcher comes, goes and comes back with a panel (or with
            // the desktop's daemon that holds it); a host registers with it
            // some time after it appears.
            watcher_.setConnection(bus_);
            watcher_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
            watcher_.addWatchedService(kWatcher);
            connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, &LinuxHostWatch::hostsChanged);
            for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
                bus_.connect(
                    QString(), kWatcherPath, kWatcher, QString::fromLatin1(signal), this, SLOT(hostsChanged()));
            }
        }
        if (x_) {
            // Desktops run one X screen; Qt opens the gadget on screen 0. A
            // tray that takes the selection says so to every client in a
            // MANAGER message on the root window, whose structure events Qt
            // already selects; one that ends destroys the owner's window.
            traySelection_ = atom(x_, "_NET_SYSTEM_TRAY_S0");
            manager_ = atom(x_, "MANAGER");
            QCoreApplication::instance()->installNativeEventFilter(this);
            followTrayOwner();
        }
    }

    ~LinuxHostWatch() override
    {
        if (x_)
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool has(NotificationHost kind) const override
    {
        switch (kind) {
        case NotificationHost::StatusNotifierItem:
            return statusNotifierHostRegistered(bus_);
        case NotificationHost::XEmbed:
            return trayOwner_ != XCB_WINDOW_NONE;
        case NotificationHost::None:
            break;
        }
        return false;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            const auto* client = static_cast<const xcb_client_message_event_t*>(message);
            if (client->type == manager_ && client->format == 32 && client->data.data32[1] == traySelection_) {
                followTrayOwner();
                notify();
            }
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == trayOwner_
                && trayOwner_ != XCB_WINDOW_NONE) {
                followTrayOwner();
                notify();
            }
            break;
        default:
            break;
        }
        // Qt's own tray code hears the same events.
        return false;
    }

private slots:
    void hostsChanged() { notify(); }

private:  // NOLINT(readability-redundant-access-specifiers): the slots above are moc's
    // Reads the tray selection's owner and hears of its window's end.
    void followTrayOwner()
    {
        xcb_get_selection_owner_reply_t* reply
            = xcb_get_selection_owner_reply(x_, xcb_get_selection_owner(x_, traySelection_), nullptr);
        trayOwner_ = reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
        std::free(reply);
        if (trayOwner_ != XCB_WINDOW_NONE) {
            const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(x_, trayOwner_, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(x_);
        }
    }

    // Told from the event loop: the receiver may end its watch in reply.
    void notify()
    {
        QMetaObject::invokeMethod(
            this, [this] { changed_(); }, Qt::QueuedConnection);
    }

    std::function<void()> changed_;
    QDBusConnection bus_;
    QDBusServiceWatcher watcher_;
    xcb_connection_t* x_;
    xcb_atom_t traySelection_ = XCB_ATOM_NONE;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_window_t trayOwner_ = XCB_WINDOW_NONE;
};

}  // namespace

std::unique_ptr<NotificationHostWatch> watchNotificationHosts(std::function<void()> changed)
{
    return std::make_unique<LinuxHostWatch>(std::move(changed));
}

}  // namespace tavlo

#include "notification_host_watch.moc"
