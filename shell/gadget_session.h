#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

#include "core/frm_dtmn.h"

namespace tavlo {

class GadgetWindow;
class TrayIcon;

// One load of the main window: the logic, its window, its notification icon
// and its timers. The shell turns events into calls of the logic and then
// brings the window, the icon and the timers in line with the logic's state.
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

    FrmDTMn& form() { return *form_; }
    GadgetWindow& window() { return *window_; }

signals:
    void endRequested();

private:
    void sync();

    std::unique_ptr<FrmDTMn> form_;
    std::unique_ptr<GadgetWindow> window_;
    std::unique_ptr<TrayIcon> tray_;
    QTimer tmrN_, tmrR_, tmrRS_;
};

}  // namespace tavlo
