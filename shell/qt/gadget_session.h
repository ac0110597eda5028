#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

#include "shell/main_window.h"
#include "shell/menu_entries.h"

namespace tavlo {

class TrayMenu;
class GadgetWindow;
class TrayIcon;

// One load of the main window: the logic, its window, its notification icon,
// its menu window and its timers. The shell turns events into calls of the
// logic and then brings the window, the icon and the timers in line with the
// logic's state.
class GadgetSession : public QObject {
    Q_OBJECT

public:
    explicit GadgetSession(Services& services);
    ~GadgetSession() override;

    // Runs the load handler; false when another instance runs and this
    // process is to end.
    bool load();

    // "終了": removes the icon and ends the program.
    void cmdClose();

    // A mouse message of the icon, numbered as on Windows.
    void trayMessage(int message);

    // What a menu entry does.
    void menuPicked(MenuCommand command);

    // True while a handler that lets events run (the popup menu, the memory
    // release, the long clean-ups) is on the stack: the session must not be
    // thrown away under it.
    bool busy() const { return running_ > 0; }

    // True while "ごみ箱を空にする", "インターネット一時ファイルの削除" or
    // "インターネット履歴の削除" runs.
    bool cleaning() const { return cleaning_; }

    MainWindow& mainWindow() { return *mainWindow_; }
    GadgetWindow& window() { return *window_; }
    // The menu window, while it is loaded.
    TrayMenu* menu() { return menu_.get(); }

signals:
    void endRequested();
    // "設定" in the menu.
    void settingsRequested();
    // The last handler that let events run has returned.
    void idle();

private:
    void sync();
    void loadMenu();
    void showPopup(const QPoint& position);
    void unloadMenu();
    // "メモリ開放": loads frmMClr, whose loading runs the release.
    void releaseMemory();
    // The click handler of the menu window's cmdRBinEmp.
    void cmdRBinEmp_Click();
    // Between the steps of a long action: the window catches up with the
    // logic, and events run.
    void letEventsRun();
    // The long clean-ups' entries of both menus, greyed while one runs.
    void enableCleanups(bool enabled);
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The notification icon, once the window is on the screen.
    void addTrayIcon();

    Services& services_;
    std::unique_ptr<MainWindow> mainWindow_;
    // The menu's tree, exported with the icon for a host that shows it.
    QMenu exportedMenu_;
    std::unique_ptr<GadgetWindow> window_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<TrayMenu> menu_;
    QTimer tmrN_{this}, tmrR_{this}, tmrRS_{this};
    QTimer trayFallback_{this};
    bool memoryReleaseLoaded_ = false;
    int running_ = 0;
    bool cleaning_ = false;

    // Marks the session busy while it lives.
    class Running {
    public:
        explicit Running(GadgetSession& session) : session_(session) { ++session_.running_; }
        ~Running()
        {
            if (--session_.running_ == 0)
                emit session_.idle();
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        GadgetSession& session_;
    };

    // Marks a long clean-up running while it lives: the others wait, and
    // their entries say so.
    class Cleaning {
    public:
        explicit Cleaning(GadgetSession& session) : session_(session)
        {
            session_.cleaning_ = true;
            session_.enableCleanups(false);
        }
        ~Cleaning()
        {
            session_.cleaning_ = false;
            session_.enableCleanups(true);
        }
        Cleaning(const Cleaning&) = delete;
        Cleaning& operator=(const Cleaning&) = delete;

    private:
        GadgetSession& session_;
    };
};

}  // namespace tavlo
