#pragma once

#include <QSystemTrayIcon>

#include "display/gadget_view.h"

namespace tavlo {

// The notification-area icon: present or not, with its tip, as the view says.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const TrayView& view);

    void sync();

    QSystemTrayIcon& icon() { return icon_; }

private:
    const TrayView& view_;
    QSystemTrayIcon icon_;
    std::string shownTip_;
};

// The icon image, drawn by the program: a moon over a bar.
QIcon gadgetIcon();

// A tip in the view separates lines with a carriage return; Qt wants "\n".
QString tipText(const std::string& tip);

}  // namespace tavlo
