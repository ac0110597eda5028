#include "shell/qt/gadget_session.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <utility>

#include "shell/maintenance.h"
#include "shell/qt/gadget_window.h"
#include "shell/qt/startup_trace.h"
#include "shell/qt/tray_icon.h"
#include "shell/qt/tray_menu.h"
#include "shell/tray_messages.h"

namespace tavlo {
namespace {

// The latest moment for the icon when no paint comes first.
constexpr int kTrayFallbackMs = 200;

void syncTimer(QTimer& timer, const Timer& state)
{
    if (!state.ticking()) {
        timer.stop();
    } else if (!timer.isActive() || timer.interval() != state.intervalMs) {
        timer.start(state.intervalMs);
    }
}

// Qt reports the icon's clicks as activation reasons; they stand for the
// button-up messages that Windows would send.
int messageOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return kTrayLeftButtonUp;
    case QSystemTrayIcon::Context:
        return kTrayRightButtonUp;
    case QSystemTrayIcon::DoubleClick:
        return kTrayLeftDoubleClick;
    default:
        return 0;
    }
}

}  // namespace

GadgetSession::GadgetSession(Services& services)
    : NotifierHost(services.notifier),
      services_(services),
      mainWindow_(std::make_unique<MainWindow>(services)),
      window_(std::make_unique<GadgetWindow>(mainWindow_->view))
{
    traceStartup("window made");
    tmrN_.setObjectName("TmrN");
    tmrR_.setObjectName("TmrR");
    tmrRS_.setObjectName("TmrRS");
    tmrN_.callOnTimeout(this, [this] {
        mainWindow_->TmrN_Timer();
        sync();
    });
    tmrR_.callOnTimeout(this, [this] {
        mainWindow_->TmrR_Timer();
        sync();
    });
    // The restart timer hands the display back; it starts nothing again.
    tmrRS_.callOnTimeout(this, [this] {
        if (actions_.react(GadgetEvent::RestartTimer) != Reaction::HandBackDisplay)
            return;
        unloadMenu();
        mainWindow_->TmrRS_Timer();
        sync();
    });
    connect(window_.get(), &GadgetWindow::menuRequested, this, &GadgetSession::showPopup, Qt::QueuedConnection);

    connect(window_.get(), &GadgetWindow::handlePressed, this,
        [this](int buttons, QPointF twips) { mainWindow_->PstnMove_MouseDown(buttons, twips.x(), twips.y()); });
    connect(window_.get(), &GadgetWindow::handleMoved, this, [this](int buttons, QPointF twips) {
        mainWindow_->PstnMove_MouseMove(buttons, twips.x(), twips.y());
        sync();
    });
    connect(window_.get(), &GadgetWindow::saveClicked, this, [this] {
        mainWindow_->cmdPstnSave_Click();
        sync();
    });
    connect(window_.get(), &GadgetWindow::backClicked, this, [this] {
        mainWindow_->cmdFstPstn_Click();
        sync();
    });

    // The icon waits for the first paint, which it would otherwise delay
    // (asking the session bus for a host, docking), or for a moment more
    // where the window is not exposed, as off the screen.
    connect(window_.get(), &GadgetWindow::firstPainted, this, &GadgetSession::addTrayIcon, Qt::QueuedConnection);
    trayFallback_.setSingleShot(true);
    trayFallback_.callOnTimeout(this, &GadgetSession::addTrayIcon);
}

void GadgetSession::addTrayIcon()
{
    if (tray_)
        return;
    trayFallback_.stop();
    tray_ = std::make_unique<TrayIcon>(mainWindow_->view.tray);
    // The popup runs its own event loop until it closes, and its choice may
    // remove the icon or rebuild the window: it must not run inside the
    // event handler of the very widget it removes, so it opens afterwards.
    connect(tray_.get(), &TrayIcon::activated, this, &GadgetSession::trayActivated, Qt::QueuedConnection);
    connect(tray_.get(), &TrayIcon::newProcessNeeded, this, &GadgetSession::newProcessNeeded);
    // Chosen from the event loop, as in the menu window's own popup. The
    // icon hands the menu to a host that shows it, once one is there.
    addMenuEntries(exportedMenu_, this, [this](MenuCommand command) {
        QMetaObject::invokeMethod(
            this, [this, command] { menuPicked(command); }, Qt::QueuedConnection);
    });
    enableLongActions(actions_.state() == ActionState::Idle);
    tray_->setExportedMenu(&exportedMenu_);
    tray_->sync();
}

GadgetSession::~GadgetSession()
{
    binProgress_.reset();
    mainWindow_->Form_Unload();
    if (tray_)
        tray_->sync();
}

bool GadgetSession::load()
{
    if (mainWindow_->Form_Load() == MainWindow::LoadResult::AlreadyRunning)
        return false;
    traceStartup("Form_Load");
    sync();
    traceStartup("window shown");
    trayFallback_.start(kTrayFallbackMs);
    return true;
}

void GadgetSession::cmdClose()
{
    // Answers an open question "いいえ", or stops the work and waits for it.
    actions_.react(GadgetEvent::Quit);
    binProgress_.reset();
    mainWindow_->cmdClose();
    sync();
}

bool GadgetSession::saveNow()
{
    return actions_.react(GadgetEvent::Save) == Reaction::SaveAndReload;
}

void GadgetSession::trayMessage(int message)
{
    switch (trayMessageAction(message)) {
    case TrayAction::UnloadMenu:
        unloadMenu();
        break;
    case TrayAction::ShowPopup:
        showPopup(QCursor::pos());
        break;
    case TrayAction::Nothing:
        break;
    }
}

void GadgetSession::unloadMenu()
{
    // The menu may be the one whose choice got us here: it goes once its
    // event has been handled.
    if (menu_)
        menu_.release()->deleteLater();
}

void GadgetSession::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    // A host that shows the exported menu opens it on a right click itself.
    if (reason == QSystemTrayIcon::Context && tray_ && tray_->hostShowsMenu())
        return;
    trayMessage(messageOf(reason));
}

void GadgetSession::loadMenu()
{
    if (menu_)
        return;
    menu_ = std::make_unique<TrayMenu>();
    connect(menu_.get(), &TrayMenu::picked, this, &GadgetSession::menuPicked);
    connect(&menu_->cmdRBinEmp, &QPushButton::clicked, this, [this] { menuPicked(MenuCommand::Emp); });
    enableLongActions(actions_.state() == ActionState::Idle);
}

void GadgetSession::enableLongActions(bool enabled)
{
    tavlo::enableLongActions(exportedMenu_, enabled);
    if (menu_)
        tavlo::enableLongActions(menu_->DMn(), enabled);
}

void GadgetSession::showPopup(const QPoint& position)
{
    loadMenu();
    menu_->popup(position);
}

void GadgetSession::menuPicked(MenuCommand command)
{
    if (command == MenuCommand::DTMnEnd) {
        cmdClose();
        return;
    }
    const bool isLong = runsLong(command);
    switch (actions_.react(isLong ? GadgetEvent::LongPick : GadgetEvent::ShortPick)) {
    case Reaction::Start:
        running_ = command;
        actions_.start(makeLongAction(command, *mainWindow_, services_,
            [this](std::size_t done, std::size_t total) { return showBinProgress(done, total); }));
        return;
    case Reaction::CarryOut:
        break;
    default:
        return;
    }
    if (runMaintenance(command, services_))
        return;
    switch (command) {
    case MenuCommand::Pstn:
        mainWindow_->Pstn_Click();
        sync();
        break;
    case MenuCommand::MntrCstmz:
        emit settingsRequested();
        break;
    case MenuCommand::ClipBoadClr:
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        break;
    default:
        break;
    }
}

bool GadgetSession::showBinProgress(std::size_t done, std::size_t total)
{
    // The progress shows only when emptying takes more than a moment. It is
    // a window of its own beside the gadget: nothing else waits for it.
    if (!binProgress_) {
        binProgress_ = std::make_unique<QProgressDialog>(QStringLiteral("ごみ箱を空にしています..."),
            QStringLiteral("キャンセル"), 0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
        binProgress_->setWindowTitle(QString::fromUtf8(kProductName));
        binProgress_->setWindowModality(Qt::NonModal);
        binProgress_->setMinimumDuration(500);
        binProgress_->setAutoClose(false);
        binProgress_->setAutoReset(false);
        // The work hears キャンセル at its next item, not at the next showing.
        connect(binProgress_.get(), &QProgressDialog::canceled, this, [this] { actions_.poll(); });
    }
    binProgress_->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
    return !binProgress_->wasCanceled();
}

void GadgetSession::wake()
{
    // From the work's thread: the poll runs on this one's event loop.
    QMetaObject::invokeMethod(
        this, [this] { actions_.poll(); }, Qt::QueuedConnection);
}

void GadgetSession::stateChanged(ActionState state, bool reloadDue)
{
    enableLongActions(state == ActionState::Idle);
    if (state == ActionState::Idle) {
        // The bin's progress goes with its action, and its menu window,
        // whose hidden button it was.
        binProgress_.reset();
        if (std::exchange(running_, MenuCommand::None) == MenuCommand::Emp)
            unloadMenu();
    }
    sync();
    if (reloadDue)
        emit this->reloadDue();
}

void GadgetSession::sync()
{
    window_->sync();
    if (tray_)
        tray_->sync();
    syncTimer(tmrN_, mainWindow_->timers.TmrN);
    syncTimer(tmrR_, mainWindow_->timers.TmrR);
    syncTimer(tmrRS_, mainWindow_->timers.TmrRS);
    if (mainWindow_->endRequested)
        emit endRequested();
}

}  // namespace tavlo
