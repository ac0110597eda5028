#include "shell/qt/tray_icon.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <utility>

#include "display/app_icon.h"
#include "shell/icon_host.h"
#include "shell/qt/startup_trace.h"

namespace tavlo {

void paintGadgetIcon(QPainter& painter, int size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = size;
    const auto rect = [side](const IconShape& shape) {
        return QRectF(shape.x * side, shape.y * side, shape.width * side, shape.height * side);
    };
    for (const IconShape& shape : gadgetIconShapes()) {
        const QColor colour(QRgb(shape.rgb));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        switch (shape.kind) {
        case IconShape::Kind::RoundedRect:
            painter.drawRoundedRect(rect(shape), shape.radius * side, shape.radius * side);
            break;
        case IconShape::Kind::Ellipse:
            painter.drawEllipse(rect(shape));
            break;
        case IconShape::Kind::Rect:
            painter.drawRect(rect(shape));
            break;
        case IconShape::Kind::Outline:
            painter.setPen(QPen(colour, std::max(1.0, side * kIconStroke)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect(shape));
            break;
        }
    }
}

QIcon gadgetIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintGadgetIcon(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString tipText(const std::string& tip)
{
    QString text = QString::fromStdString(tip);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

namespace {

// How long a host of the process's kind may be away before the icon moves
// to the other kind: longer than a panel takes to start again.
constexpr int kKindLostMs = 5000;

// The kind Qt fixed with the process's first icon; reloads of the main
// window make their icons the same way.
NotificationHost& processHostKind()
{
    static NotificationHost kind = NotificationHost::None;
    return kind;
}

}  // namespace

TrayIcon::TrayIcon(const TrayView& view) : view_(view)
{
    kindLost_.setSingleShot(true);
    kindLost_.setInterval(kKindLostMs);
    kindLost_.callOnTimeout(this, [this] {
        if (hostKindLost()) {
            newProcessAsked_ = true;
            emit newProcessNeeded(true);
        }
    });
    watch_ = watchNotificationHosts([this] { hostsChanged(); });
    hostsChanged();
}

bool TrayIcon::hostKindLost() const
{
    return needsNewProcess(
        processHostKind(), watch_->has(NotificationHost::StatusNotifierItem), watch_->has(NotificationHost::XEmbed));
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setExportedMenu(QMenu* menu)
{
    exportedMenu_ = menu;
    if (hostShowsMenu())
        icon_->setContextMenu(exportedMenu_);
}

bool TrayIcon::hostShowsMenu() const
{
    return icon_ && processHostKind() == NotificationHost::StatusNotifierItem;
}

void TrayIcon::hostsChanged()
{
    // One look at each kind: the session bus may take a moment to answer.
    const bool statusNotifierHost = watch_->has(NotificationHost::StatusNotifierItem);
    const bool xembedTray = watch_->has(NotificationHost::XEmbed);
    if (needsNewProcess(processHostKind(), statusNotifierHost, xembedTray)) {
        if (!kindLost_.isActive())
            kindLost_.start();
        return;
    }
    kindLost_.stop();
    if (std::exchange(newProcessAsked_, false))
        emit newProcessNeeded(false);
    // Where an icon made now goes: Qt prefers a StatusNotifierItem host.
    if (!statusNotifierHost && !xembedTray)
        return;
    const NotificationHost host = statusNotifierHost ? NotificationHost::StatusNotifierItem : NotificationHost::XEmbed;
    if (icon_ && (host != NotificationHost::StatusNotifierItem || processHostKind() != host))
        return;
    // A StatusNotifierItem host registered while the icon is a D-Bus one: a
    // panel that started again, with a new watcher. Qt registers the icon
    // with a new watcher as soon as its name appears on the bus, but a
    // watcher that takes its name before it serves its object refuses that
    // (status-notifier-watcher does), and the icon stays unseen. The host
    // registers once the watcher serves: an icon made anew registers then.
    // The old one goes first, and the watcher forgets it: never two icons.
    icon_.reset();
    shownTip_.clear();
    // Qt asks the same question as it makes the process's first icon, and
    // keeps its answer.
    if (processHostKind() == NotificationHost::None)
        processHostKind() = host;
    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setIcon(gadgetIcon());
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    if (hostShowsMenu() && exportedMenu_)
        icon_->setContextMenu(exportedMenu_);
    traceStartup("icon made");
    sync();
}

void TrayIcon::sync()
{
    if (!icon_)
        return;
    if (view_.present && view_.tip != shownTip_) {
        shownTip_ = view_.tip;
        icon_->setToolTip(tipText(shownTip_));
    }
    if (icon_->isVisible() != view_.present) {
        icon_->setVisible(view_.present);
        if (view_.present)
            traceStartup("icon shown");
    }
}

}  // namespace tavlo
