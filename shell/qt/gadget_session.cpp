#include "shell/qt/gadget_session.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <climits>

#include "core/event_pacer.h"
#include "shell/maintenance.h"
#include "shell/qt/gadget_window.h"
#include "shell/qt/startup_trace.h"
#include "shell/qt/tray_icon.h"
#include "shell/qt/tray_menu.h"
#include "shell/tray_messages.h"
#include "tools/memory_release.h"
#include "tools/recycle_bin_action.h"

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
    : services_(services),
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
    tmrRS_.callOnTimeout(this, [this] {
        memoryReleaseLoaded_ = false;
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
    // Chosen from the event loop, as in the menu window's own popup. The
    // icon hands the menu to a host that shows it, once one is there.
    addMenuEntries(exportedMenu_, this, [this](MenuCommand command) {
        QMetaObject::invokeMethod(
            this, [this, command] { menuPicked(command); }, Qt::QueuedConnection);
    });
    tray_->setExportedMenu(&exportedMenu_);
    tray_->sync();
}

GadgetSession::~GadgetSession()
{
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
    mainWindow_->cmdClose();
    sync();
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
    connect(&menu_->cmdRBinEmp, &QPushButton::clicked, this, &GadgetSession::cmdRBinEmp_Click);
    if (cleaning_)
        enableCleanups(false);
}

void GadgetSession::enableCleanups(bool enabled)
{
    enableLongCleanups(exportedMenu_, enabled);
    if (menu_)
        enableLongCleanups(menu_->DMn(), enabled);
}

void GadgetSession::letEventsRun()
{
    sync();
    QCoreApplication::processEvents();
}

void GadgetSession::showPopup(const QPoint& position)
{
    const Running running(*this);
    loadMenu();
    menu_->popup(position);
}

void GadgetSession::menuPicked(MenuCommand command)
{
    const Running running(*this);
    if (runsLong(command)) {
        // Events run meanwhile, so the menu can open again: a second one
        // picked while one runs does not start.
        if (cleaning_)
            return;
        if (command != MenuCommand::Emp) {
            const Cleaning cleaning(*this);
            runMaintenance(command, services_, [this] { letEventsRun(); });
            return;
        }
    }
    if (runMaintenance(command, services_))
        return;
    switch (command) {
    case MenuCommand::DTMnEnd:
        cmdClose();
        break;
    case MenuCommand::Pstn:
        mainWindow_->Pstn_Click();
        sync();
        break;
    case MenuCommand::MntrCstmz:
        emit settingsRequested();
        break;
    case MenuCommand::MemClr:
        releaseMemory();
        break;
    case MenuCommand::Emp:
        // The entry presses the menu window's hidden button.
        loadMenu();
        menu_->cmdRBinEmp.click();
        break;
    case MenuCommand::ClipBoadClr:
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        break;
    default:
        break;
    }
}

void GadgetSession::cmdRBinEmp_Click()
{
    const Running running(*this);
    if (cleaning_)
        return;
    const Cleaning cleaning(*this);
    // The progress shows only when emptying takes more than a moment. Within
    // a large folder its value stays, yet it repaints and hears "キャンセル".
    std::unique_ptr<QProgressDialog> progress;
    EventPacer pacer(services_.ticks, [this] { letEventsRun(); });
    const auto report = [&](std::size_t done, std::size_t total) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("ごみ箱を空にしています..."),
                QStringLiteral("キャンセル"), 0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
            progress->setWindowTitle(QString::fromUtf8(kProductName));
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(500);
        }
        progress->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
        pacer.step();
        return !progress->wasCanceled();
    };
    tavlo::cmdRBinEmp_Click(services_.recycleBin, services_.notifier, report);
    unloadMenu();
}

void GadgetSession::releaseMemory()
{
    // While frmMClr is loaded, the entry only shows it again.
    if (memoryReleaseLoaded_)
        return;
    memoryReleaseLoaded_ = true;
    tavlo::releaseMemory(mainWindow_->store.lblMClr, mainWindow_->view, mainWindow_->timers, services_.blocks, [this] {
        sync();
        QCoreApplication::processEvents();
    });
    sync();
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
