#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

#include "core/long_actions.h"
#include "shell/main_window.h"
#include "shell/menu_entries.h"
#include "shell/notifier_host.h"

class QProgressDialog;

namespace tavlo {

class TrayMenu;
class GadgetWindow;
class TrayIcon;

// One load of the main window: the logic, its window, its notification icon,
// its menu window and its timers. The shell turns events into calls of the
// logic and then brings the window, the icon and the timers in line with the
// logic's state. Long actions run through LongActions, whose table decides
// every event; the event loop is never entered again from inside one.
class GadgetSession : public QObject, private NotifierHost {
    Q_OBJECT

public:
    explicit GadgetSession(Services& services);
    ~GadgetSession() override;

    // Runs the load handler; false when another instance runs and this
    // process is to end.
    bool load();

    // "終了", and the end signals of the system: a question open is answered
    // "いいえ", a long action's work is stopped and waited for; then the
    // icon goes and the program ends.
    void cmdClose();

    // "保存": true when the main window may reload now; otherwise the
    // reload waits for the long action, and reloadDue() follows.
    bool saveNow();

    // A mouse message of the icon, numbered as on Windows.
    void trayMessage(int message);

    // What a menu entry does.
    void menuPicked(MenuCommand command);

    ActionState state() const { return actions_.state(); }

    MainWindow& mainWindow() { return *mainWindow_; }
    GadgetWindow& window() { return *window_; }
    // The menu window, while it is loaded.
    TrayMenu* menu() { return menu_.get(); }
    // The progress of emptying the bin, while it shows.
    QProgressDialog* binProgress() { return binProgress_.get(); }

signals:
    void endRequested();
    // "設定" in the menu.
    void settingsRequested();
    // A reload after "保存" waited for a long action, which has ended.
    void reloadDue();
    // Only a new process can show the icon (true), or no longer (false);
    // see TrayIcon.
    void newProcessNeeded(bool needed);

private:
    void sync();
    void loadMenu();
    void showPopup(const QPoint& position);
    void unloadMenu();
    // The long actions' entries of both menus, greyed while one runs.
    void enableLongActions(bool enabled);
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The notification icon, once the window is on the screen.
    void addTrayIcon();
    // The progress of emptying the bin: a window of its own once it lasts;
    // false once キャンセル is pressed.
    bool showBinProgress(std::size_t done, std::size_t total);

    // NotifierHost
    LongActions& actions() override { return actions_; }
    void wake() override;
    void repaint() override { sync(); }
    void stateChanged(ActionState state, bool reloadDue) override;

    Services& services_;
    std::unique_ptr<MainWindow> mainWindow_;
    // The menu's tree, exported with the icon for a host that shows it.
    QMenu exportedMenu_;
    std::unique_ptr<GadgetWindow> window_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<TrayMenu> menu_;
    std::unique_ptr<QProgressDialog> binProgress_;
    // The long action under way, or None.
    MenuCommand running_ = MenuCommand::None;
    QTimer tmrN_{this}, tmrR_{this}, tmrRS_{this};
    QTimer trayFallback_{this};
    // After what it uses: its work is stopped and waited for first.
    LongActions actions_{*this};
};

}  // namespace tavlo
