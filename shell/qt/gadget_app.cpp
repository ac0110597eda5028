#include "shell/qt/gadget_app.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include "setup/qt/settings_dialog.h"
#include "shell/qt/gadget_session.h"
#include "shell/qt/gadget_window.h"
#include "shell/qt/translations.h"

namespace tavlo {

GadgetApp::GadgetApp(Services& services, Pickers& pickers) : services_(services), pickers_(pickers)
{
    constexpr int kBusyRetryMs = 1000;
    startAgainRetry_.setSingleShot(true);
    startAgainRetry_.setInterval(kBusyRetryMs);
    startAgainRetry_.callOnTimeout(this, &GadgetApp::startAgainWhenFree);
}

GadgetApp::~GadgetApp()
{
    delete setup_;
}

bool GadgetApp::start()
{
    loadSession();
    return session_->load();
}

void GadgetApp::loadSession()
{
    session_ = std::make_unique<GadgetSession>(services_);
    connect(session_.get(), &GadgetSession::endRequested, this, &GadgetApp::endRequested);
    connect(session_.get(), &GadgetSession::settingsRequested, this, &GadgetApp::openSettings);
    // From the event loop: the session that asks goes with the restart.
    connect(session_.get(), &GadgetSession::reloadDue, this, &GadgetApp::restartSession, Qt::QueuedConnection);
    connect(session_.get(), &GadgetSession::newProcessNeeded, this, [this](bool needed) {
        startAgainPending_ = needed;
        startAgainWhenFree();
    });
}

namespace {

// A message the user has not read yet: a posted one, or one that waits in an
// event loop of its own.
bool messageOpen()
{
    if (QThread::currentThread()->loopLevel() > 1)
        return true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
        [](const QWidget* window) { return window->isVisible() && qobject_cast<const QMessageBox*>(window); });
}

}  // namespace

void GadgetApp::startAgainWhenFree()
{
    if (!startAgainPending_)
        return;
    if (session_->state() != ActionState::Idle || setup_ || session_->mainWindow().positionMode() || messageOpen()) {
        startAgainRetry_.start();
        return;
    }
    cmdClose();
    // After the end request: any later one ends the program for good.
    startsAgain_ = true;
}

void GadgetApp::cmdClose()
{
    startsAgain_ = false;
    session_->cmdClose();
}

void GadgetApp::openSettings()
{
    // A second "設定" only brings the open dialog to the front.
    if (!setup_) {
        loadJapaneseTranslations();
        setup_ = new SettingsDialog(pickers_, services_.notifier);
        setup_->setAttribute(Qt::WA_DeleteOnClose);
        connect(setup_, &SettingsDialog::saveRequested, this, &GadgetApp::saveSettings);
        setup_->Form_Load(session_->mainWindow().store);
        const TwipSize screen = services_.screen.primarySize();
        setup_->centreOn(wholePixels(TwipRect{0, 0, screen.width, screen.height}));
    }
    setup_->show();
    setup_->raise();
    setup_->activateWindow();
}

void GadgetApp::saveSettings()
{
    MainWindow& window = session_->mainWindow();
    setup_->state().copyToStore(window.store);
    // The file is written at once, so that nothing is lost if the program
    // ends first; a long action under way keeps its main window until it
    // ends, and the restart follows then.
    if (!session_->saveNow()) {
        window.cmdSave();
        return;
    }
    hideMainWindow();
    window.cmdSave();
    restartSession();
}

void GadgetApp::hideMainWindow()
{
    session_->mainWindow().view.window.visible = false;
    session_->window().sync();
}

void GadgetApp::restartSession()
{
    // The new icon asks again if it needs to.
    startAgainPending_ = false;
    session_.reset();
    loadSession();
    session_->load();
}

}  // namespace tavlo
