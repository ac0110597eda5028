#include <QApplication>

#include <csignal>
#include <iostream>

#include "core/failure_reporter.h"
#include "core/frm_dtmn.h"
#include "platform/display_check.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/quit_signals.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_screen.h"
#include "setup/pickers.h"
#include "shell/fonts.h"
#include "shell/gadget_app.h"
#include "shell/message_box_notifier.h"
#include "shell/translations.h"

int main(int argc, char* argv[])
{
    using namespace tavlo;

    // A file-size limit makes a write fail instead of killing the gadget.
    std::signal(SIGXFSZ, SIG_IGN);

    prepareDisplayPlatform();
    if (const auto problem = displayProblem()) {
        std::cerr << *problem << '\n';
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kProductName);
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutes();
    loadJapaneseTranslations(app);

    LinuxServices system;
    QtClock clock;
    QtScreen screen;
    MessageBoxNotifier notifier;
    FailureReporter failures(notifier);
    QtLauncher launcher;
    Services services{system.instance, system.session, system.memory, system.counters, system.files, system.codec,
        clock, screen, notifier, failures, system.blocks, launcher, system.recentDocuments, system.recycleBin,
        system.urlCache, system.urlHistory};

    QtPickers pickers;
    GadgetApp gadget(services, pickers);
    QObject::connect(
        &gadget, &GadgetApp::endRequested, &app, [] { QApplication::exit(0); }, Qt::QueuedConnection);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &gadget, &GadgetApp::cmdClose);

    if (!gadget.start())
        return 0;
    return QApplication::exec();
}
