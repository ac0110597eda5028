#include "shell/gadget_app.h"

#include "setup/frm_setup.h"
#include "shell/gadget_session.h"
#include "shell/gadget_window.h"

namespace tavlo {

GadgetApp::GadgetApp(Services& services, Pickers& pickers) : services_(services), pickers_(pickers) {}

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
    // Only once the busy handler's stack has unwound.
    connect(
        session_.get(), &GadgetSession::idle, this,
        [this] {
            if (restartPending_ && !session_->busy())
                restartSession();
        },
        Qt::QueuedConnection);
}

void GadgetApp::cmdClose()
{
    session_->cmdClose();
}

void GadgetApp::openSettings()
{
    // A second "設定" only brings the open dialog to the front.
    if (!setup_) {
        setup_ = new FrmSetup(pickers_, services_.notifier);
        setup_->setAttribute(Qt::WA_DeleteOnClose);
        connect(setup_, &FrmSetup::saveRequested, this, &GadgetApp::saveSettings);
        setup_->Form_Load(session_->form().store);
        // In the middle of the screen.
        const TwipSize screen = services_.screen.primarySize();
        setup_->move(static_cast<int>(screen.width / kTwipsPerPixel / 2 - setup_->width() / 2),
            static_cast<int>(screen.height / kTwipsPerPixel / 2 - setup_->height() / 2));
    }
    setup_->show();
    setup_->raise();
    setup_->activateWindow();
}

void GadgetApp::saveSettings()
{
    FrmDTMn& form = session_->form();
    setup_->form().copyToStore(form.store);
    if (!session_->busy()) {
        hideMainWindow();
        form.cmdSave();
        restartSession();
        return;
    }
    // Throwing the main window away under a handler that is still running
    // (the memory release lets events run between its steps) would pull its
    // data from under it: the file is written at once, so that nothing is
    // lost if the program ends first, and the restart comes when the
    // handler has returned.
    form.cmdSave();
    restartPending_ = true;
}

void GadgetApp::hideMainWindow()
{
    session_->form().view.window.visible = false;
    session_->window().sync();
}

void GadgetApp::restartSession()
{
    restartPending_ = false;
    session_.reset();
    loadSession();
    session_->load();
}

}  // namespace tavlo
