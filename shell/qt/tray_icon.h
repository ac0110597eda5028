#pragma once

#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <string>

class QMenu;
class QPainter;

#include "display/gadget_view.h"
#include "platform/notification_host.h"

namespace tavlo {

// The notification-area icon: present or not, with its tip, as the view says.
//
// Qt 6.4 chooses once per process how to show icons: over D-Bus as a
// StatusNotifierItem when a host is registered as it makes its first icon,
// otherwise embedded in an XEmbed tray; icons made later take the same way,
// whatever the desktop runs by then (making the icon again does not change
// it). Within that way it follows an XEmbed tray that starts again, and
// mostly a new StatusNotifierWatcher. So the icon is made only once a
// notification area exists: at login the panel may start long after the
// gadget, and an icon made before it would wait for the wrong kind of host.
// A StatusNotifierItem host that registers anew gets the icon made anew.
// When the kind Qt fixed is gone for good and the other kind runs, only a
// new process shows the icon: newProcessNeeded() says so.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const TrayView& view);
    ~TrayIcon() override;

    void sync();

    // The menu that a host which shows menus itself shows, from the copy
    // exported with the icon; an XEmbed tray reports the right click instead.
    void setExportedMenu(QMenu* menu);

    // True where the notification area shows the icon's menu itself, from
    // the exported copy (StatusNotifierItem hosts over D-Bus); false where it
    // only reports the clicks (XEmbed), and while there is no icon yet.
    bool hostShowsMenu() const;

    // The icon, once a notification area exists; null before.
    QSystemTrayIcon* icon() { return icon_.get(); }

signals:
    // A click on the icon, as QSystemTrayIcon reports it.
    void activated(QSystemTrayIcon::ActivationReason reason);
    // The desktop moved to the kind of notification area that this process
    // cannot show icons in (true), or back again (false).
    void newProcessNeeded(bool needed);

private:
    // Makes the icon once a host is there, and again for a new
    // StatusNotifierItem host.
    void hostsChanged();
    // Whether the host kind this process can serve is gone, and another runs.
    bool hostKindLost() const;

    const TrayView& view_;
    std::unique_ptr<NotificationHostWatch> watch_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QMenu* exportedMenu_ = nullptr;
    std::string shownTip_;
    // A panel that starts again is gone for a moment: only a loss that
    // lasts asks for a new process.
    QTimer kindLost_;
    bool newProcessAsked_ = false;
};

// The program's icon at the sizes a notification area asks for.
QIcon gadgetIcon();

// Paints the program's icon on a square of `size` pixels.
void paintGadgetIcon(QPainter& painter, int size);

// A tip in the view separates lines with a carriage return; Qt wants "\n".
QString tipText(const std::string& tip);

}  // namespace tavlo
