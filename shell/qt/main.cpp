#include <QApplication>

#include <iostream>

#include "core/failure_reporter.h"
#include "platform/display_check.h"
#include "platform/os_services.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_screen.h"
#include "platform/start_again.h"
#include "setup/qt/pickers.h"
#include "shell/main_window.h"
#include "shell/qt/fonts.h"
#include "shell/qt/gadget_app.h"
#include "shell/qt/message_box_notifier.h"
#include "shell/qt/startup_trace.h"

namespace {

// The gadget from the application object on; everything it made is gone
// when this returns. `startsAgain` tells whether it ended to start again.
int runGadget(int argc, char* argv[], bool& startsAgain)
{
    using namespace tavlo;

    traceStartup("display checked");
    QApplication app(argc, argv);
    traceStartup("QApplication");
    QApplication::setApplicationName(kProductName);
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutes();
    traceStartup("fonts");

    const std::unique_ptr<OsServices> system = makeOsServices();
    QtClock clock;
    QtScreen screen;
    MessageBoxNotifier notifier;
    FailureReporter failures(notifier);
    QtLauncher launcher;
    Services services{system->instance(), system->session(), system->memory(), system->counters(), system->files(),
        system->codec(), clock, screen, notifier, failures, system->blocks(), launcher, system->toolPrograms(),
        system->recentDocuments(), system->recycleBin(), system->urlCache(), system->urlHistory()};

    traceStartup("services");
    QtPickers pickers;
    GadgetApp gadget(services, pickers);
    QObject::connect(
        &gadget, &GadgetApp::endRequested, &app, [] { QApplication::exit(0); }, Qt::QueuedConnection);
    const auto endWatch = watchEndRequests([&gadget] { gadget.cmdClose(); });

    traceStartup("gadget made");
    if (!gadget.start())
        return 0;
    const int status = QApplication::exec();
    // A quit that came as the loop ended wins.
    startsAgain = gadget.startsAgain() && !endWatch->pending();
    return status;
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace tavlo;

    traceStartup("main");
    const StartAgain startAgain(argc, argv);
    prepareProcess();
    prepareDisplayPlatform();
    if (const auto problem = displayProblem()) {
        std::cerr << *problem << '\n';
        return 1;
    }
    bool startsAgain = false;
    const int status = runGadget(argc, argv, startsAgain);
    if (!startsAgain)
        return status;
    startAgain.now();
    return 1;
}
