#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

#include "setup/qt/settings_dialog.h"
#include "shell/main_window.h"

namespace tavlo {

class GadgetSession;
class Pickers;

// The running program: the main window, loaded afresh whenever the settings
// dialog saves, and the settings dialog, which outlives those reloads.
class GadgetApp : public QObject {
    Q_OBJECT

public:
    GadgetApp(Services& services, Pickers& pickers);
    ~GadgetApp() override;

    // The first load; false when another instance runs.
    bool start();

    // "終了", and the end signals of the system.
    void cmdClose();

    // "設定": opens the settings dialog, or brings the open one to the front.
    void openSettings();

    // Whether the program ended to start again as a new process.
    bool startsAgain() const { return startsAgain_; }

    GadgetSession& session() { return *session_; }
    SettingsDialog* setup() { return setup_; }

signals:
    void endRequested();

private:
    void loadSession();
    // "保存": the dialog's working copy into the store and the file, then
    // the restart, which waits while a long action is under way.
    void saveSettings();
    void hideMainWindow();
    // The main window is thrown away, icon and all, and starts afresh from
    // the settings file.
    void restartSession();
    // Ends the program to start it again while a new process is needed,
    // once the user is in the middle of nothing: no long action, no
    // settings dialog, no new place, no message unread.
    void startAgainWhenFree();

    Services& services_;
    Pickers& pickers_;
    std::unique_ptr<GadgetSession> session_;
    QPointer<SettingsDialog> setup_;
    bool startAgainPending_ = false;
    QTimer startAgainRetry_;
    bool startsAgain_ = false;
};

}  // namespace tavlo
