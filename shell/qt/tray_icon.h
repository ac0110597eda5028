#pragma once

#include <QSystemTrayIcon>

class QPainter;

#include "display/gadget_view.h"

namespace tavlo {

// The notification-area icon: present or not, with its tip, as the view says.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const TrayView& view);

    void sync();

    QSystemTrayIcon& icon() { return icon_; }

    // True where the notification area shows the icon's menu itself, from
    // the exported copy (StatusNotifierItem hosts over D-Bus); false where it
    // only reports the clicks (XEmbed).
    bool hostShowsMenu() const { return hostShowsMenu_; }

private:
    const TrayView& view_;
    // Asked before the icon is made, as Qt asks when it chooses its way.
    const bool hostShowsMenu_;
    QSystemTrayIcon icon_;
    std::string shownTip_;
};

// The program's icon at the sizes a notification area asks for.
QIcon gadgetIcon();

// Paints the program's icon on a square of `size` pixels.
void paintGadgetIcon(QPainter& painter, int size);

// A tip in the view separates lines with a carriage return; Qt wants "\n".
QString tipText(const std::string& tip);

}  // namespace tavlo
