#include "shell/gadget_session.h"

#include "shell/gadget_window.h"
#include "shell/tray_icon.h"

namespace tavlo {
namespace {

void syncTimer(QTimer& timer, const Timer& state)
{
    if (!state.ticking()) {
        timer.stop();
    } else if (!timer.isActive() || timer.interval() != state.intervalMs) {
        timer.start(state.intervalMs);
    }
}

}  // namespace

GadgetSession::GadgetSession(Services& services)
    : form_(std::make_unique<FrmDTMn>(services)),
      window_(std::make_unique<GadgetWindow>(form_->view)),
      tray_(std::make_unique<TrayIcon>(form_->view.tray))
{
    tmrRS_.callOnTimeout(this, [this] {
        form_->TmrRS_Timer();
        sync();
    });
}

GadgetSession::~GadgetSession()
{
    form_->Form_Unload();
    tray_->sync();
}

bool GadgetSession::load()
{
    if (form_->Form_Load() == FrmDTMn::LoadResult::AlreadyRunning)
        return false;
    sync();
    return true;
}

void GadgetSession::cmdClose()
{
    form_->cmdClose();
    sync();
}

void GadgetSession::sync()
{
    window_->sync();
    tray_->sync();
    syncTimer(tmrN_, form_->TmrN);
    syncTimer(tmrR_, form_->TmrR);
    syncTimer(tmrRS_, form_->TmrRS);
    if (form_->endRequested)
        emit endRequested();
}

}  // namespace tavlo
