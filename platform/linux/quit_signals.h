#pragma once

#include <QObject>

#include "platform/os_services.h"

class QSocketNotifier;

namespace tavlo {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread, so that the gadget ends the way "終了" ends it.
class QuitSignals : public QObject, public EndRequestWatch {
    Q_OBJECT

public:
    QuitSignals();
    ~QuitSignals() override;

    bool pending() const override;

signals:
    void quitRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tavlo
