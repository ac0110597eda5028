#include "shell/qt/tray_icon.h"

#include <QPainter>
#include <QPixmap>

#include "platform/notification_host.h"

namespace tavlo {

QIcon gadgetIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const double s = size;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x20, 0x28, 0x40));
        painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
        painter.setBrush(QColor(0xF2, 0xE6, 0xB8));
        painter.drawEllipse(QRectF(s * 0.42, s * 0.10, s * 0.46, s * 0.46));
        painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
        painter.drawRect(QRectF(s * 0.12, s * 0.68, s * 0.52, s * 0.16));
        painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), std::max(1.0, s / 24)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(s * 0.12, s * 0.68, s * 0.76, s * 0.16));
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

TrayIcon::TrayIcon(const TrayView& view) : view_(view), hostShowsMenu_(statusNotifierHostRegistered())
{
    icon_.setIcon(gadgetIcon());
}

void TrayIcon::sync()
{
    if (view_.present && view_.tip != shownTip_) {
        shownTip_ = view_.tip;
        icon_.setToolTip(tipText(shownTip_));
    }
    if (icon_.isVisible() != view_.present)
        icon_.setVisible(view_.present);
}

}  // namespace tavlo
