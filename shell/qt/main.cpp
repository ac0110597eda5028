#include <QApplication>

#include <iostream>

#include "core/failure_reporter.h"
#include "platform/display_check.h"
#include "platform/os_services.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_screen.h"
#include "setup/qt/pickers.h"
#include "shell/main_window.h"
#include "shell/qt/fonts.h"
#include "shell/qt/gadget_app.h"
#include "shell/qt/message_box_notifier.h"
#include "shell/qt/startup_trace.h"

int main(int argc, char* argv[])
{
    using namespace tavlo;

    traceStartup("main");
    prepareProcess();
    prepareDisplayPlatform();
    if (const auto problem = displayProblem()) {
        std::cerr << *problem << '\n';
        return 1;
    }

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
    return QApplication::exec();
}
