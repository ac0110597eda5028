#include "shell/win32/gadget_shell.h"

#include <utility>

#include "platform/windows/layered_window.h"
#include "platform/windows/win32_clipboard.h"
#include "platform/windows/win32_screen.h"
#include "shell/maintenance.h"
#include "shell/tray_messages.h"
#include "shell/win32/timer_plan.h"

namespace tavlo {
namespace {

constexpr wchar_t kWindowClass[] = L"frmDTMn";
constexpr UINT kTrayMessage = WM_APP + 1;
// The long action's work asks for a poll.
constexpr UINT kWakeMessage = WM_APP + 2;
constexpr UINT_PTR kTmrN = 1, kTmrR = 2, kTmrRS = 3;

// The timers in MainTimers, each with the id of its window timer.
struct TimerSlot {
    Timer MainTimers::*timer;
    UINT_PTR id;
};
constexpr std::array<TimerSlot, 3> kTimerSlots{{
    {&MainTimers::TmrN, kTmrN},
    {&MainTimers::TmrR, kTmrR},
    {&MainTimers::TmrRS, kTmrRS},
}};

}  // namespace

GadgetShell::GadgetShell(Services& services, WindowsServices& system, DpiScale scale)
    : NotifierHost(services.notifier),
      services_(services),
      system_(system),
      desktop_(scale),
      scale_(scale),
      mainWindow_(std::in_place, services),
      painter_(scale)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    static const ATOM windowClass = registerOwnedWindowClass<GadgetShell>(module, kWindowClass);
    if (!windowClass)
        return;
    window_ = CreateWindowExW(
        WS_EX_LAYERED | WS_EX_TOOLWINDOW, kWindowClass, L"Tavlo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, this);
    if (!window_)
        return;
    // Keyed from the start, so that nothing shows before the view's key.
    applyColourKey(window_, static_cast<std::uint32_t>(kLoadColourKey));
    key_ = kLoadColourKey;
    keepOffTaskbar(window_);
    system_.setOwnerWindow(window_);
    // Explorer tells every window this message when it starts again.
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    tray_ = std::make_unique<NotifyIcon>(window_, kTrayMessage);
    // Per monitor, the window may stand on one of another DPI from the start.
    if (const unsigned own = windowDpi(window_); own != 0 && own != scale_.dpi()) {
        scale_ = DpiScale(own);
        painter_.rescale(scale_);
        setup_.rescale(scale_);
    }
    makeStrip();
}

void GadgetShell::makeStrip()
{
    strip_.reset();
    strip_ = std::make_unique<PositionStripWindow>(window_, scale_, desktop_, [this](const StripEvent& event) {
        applyStripEvent(*mainWindow_, event);
        sync();
    });
}

GadgetShell::~GadgetShell()
{
    mainWindow_->Form_Unload();
    if (tray_)
        tray_->sync(mainWindow_->view.tray);
    tray_.reset();
    if (window_)
        DestroyWindow(window_);
}

bool GadgetShell::load()
{
    if (mainWindow_->Form_Load() == MainWindow::LoadResult::AlreadyRunning)
        return false;
    sync();
    return true;
}

void GadgetShell::cmdClose()
{
    // Answers an open question "いいえ", or stops the work and waits for it.
    actions_.react(GadgetEvent::Quit);
    mainWindow_->cmdClose();
    sync();
}

int GadgetShell::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (setup_.keyboardMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT GadgetShell::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_DPICHANGED:
        // The suggested rectangle keeps a window that the system drags under
        // the pointer; this one moves only by its twips, so only its size
        // follows the new DPI.
        dpiChanged(LOWORD(wParam));
        return 0;
    case WM_ERASEBKGND:
        // The picture covers the whole window.
        return 1;
    case WM_TIMER:
        timerTick(wParam);
        return 0;
    case kWakeMessage:
        actions_.poll();
        return 0;
    case WM_MOUSEACTIVATE:
        // A click on the readouts leaves the foreground where it is: the
        // gadget lies on the desktop and takes no keyboard.
        return MA_NOACTIVATE;
    case WM_CONTEXTMENU: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // From the keyboard the menu opens where the pointer is.
        if (lParam == -1)
            GetCursorPos(&at);
        showPopup(at);
        return 0;
    }
    case kTrayMessage:
        // The icon's callback carries the mouse message in its low word.
        switch (trayMessageAction(LOWORD(lParam))) {
        case TrayAction::ShowPopup: {
            POINT at{};
            GetCursorPos(&at);
            showPopup(at);
            break;
        }
        case TrayAction::UnloadMenu:
            unloadMenu();
            break;
        case TrayAction::Nothing:
            break;
        }
        return 0;
    case WM_CLOSE:
        cmdClose();
        return 0;
    case WM_ENDSESSION:
        // The session ends once this returns: the icon goes now.
        if (wParam)
            cmdClose();
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            tray_->addAgain(mainWindow_->view.tray);
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void GadgetShell::paint()
{
    PAINTSTRUCT paintInfo;
    const HDC device = BeginPaint(window_, &paintInfo);
    RECT client;
    GetClientRect(window_, &client);
    // Drawn off screen and copied at once, so that the key never shows
    // through a half-drawn picture.
    const HDC buffer = CreateCompatibleDC(device);
    const HBITMAP picture = CreateCompatibleBitmap(device, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(buffer, picture);
    painter_.paint(buffer, mainWindow_->view);
    BitBlt(device, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(picture);
    DeleteDC(buffer);
    EndPaint(window_, &paintInfo);
}

void GadgetShell::dpiChanged(unsigned dpi)
{
    if (dpi == 0 || dpi == scale_.dpi())
        return;
    scale_ = DpiScale(dpi);
    painter_.rescale(scale_);
    // The dialog opens, or stands, on the gadget's monitor.
    setup_.rescale(scale_);
    makeStrip();
    placed_.reset();
    painted_.reset();
    sync();
}

void GadgetShell::timerTick(UINT_PTR id)
{
    switch (id) {
    case kTmrN:
        mainWindow_->TmrN_Timer();
        break;
    case kTmrR:
        mainWindow_->TmrR_Timer();
        break;
    case kTmrRS:
        // It hands the display back; it starts nothing again.
        if (actions_.react(GadgetEvent::RestartTimer) != Reaction::HandBackDisplay)
            return;
        unloadMenu();
        mainWindow_->TmrRS_Timer();
        break;
    default:
        return;
    }
    sync();
}

void GadgetShell::showPopup(POINT at)
{
    // The icon's press and release both ask for the menu: one at a time.
    if (menuOpen_)
        return;
    if (!menu_)
        menu_.emplace();
    menu_->enableCleanups(actions_.state() == ActionState::Idle);
    menuOpen_ = true;
    const std::optional<MenuCommand> command = menu_->choose(at);
    menuOpen_ = false;
    if (command)
        menuPicked(*command);
}

void GadgetShell::unloadMenu()
{
    // Timers and the icon's messages reach here from inside the menu's own
    // loop, whose window must outlive it.
    if (!menuOpen_)
        menu_.reset();
}

void GadgetShell::menuPicked(MenuCommand command)
{
    if (command == MenuCommand::DTMnEnd) {
        cmdClose();
        return;
    }
    switch (actions_.react(runsLong(command) ? GadgetEvent::LongPick : GadgetEvent::ShortPick)) {
    case Reaction::Start:
        running_ = command;
        // The system shows the bin's progress itself: none reaches here.
        actions_.start(makeLongAction(command, *mainWindow_, services_, {}));
        return;
    case Reaction::CarryOut:
        break;
    default:
        return;
    }
    if (runMaintenance(command, services_))
        return;
    switch (command) {
    case MenuCommand::ClipBoadClr:
        emptyClipboard(window_);
        break;
    case MenuCommand::MntrCstmz:
        openSettings();
        break;
    case MenuCommand::Pstn:
        mainWindow_->Pstn_Click();
        sync();
        break;
    default:  // the windowless commands ran above
        break;
    }
}

void GadgetShell::wake()
{
    // From the work's thread: the poll runs on this one's message loop.
    PostMessageW(window_, kWakeMessage, 0, 0);
}

void GadgetShell::stateChanged(ActionState state, bool reloadDue)
{
    // The bin's menu window goes with its action.
    if (state == ActionState::Idle && std::exchange(running_, MenuCommand::None) == MenuCommand::Emp)
        unloadMenu();
    sync();
    if (reloadDue)
        restartMainWindow();
}

void GadgetShell::sync()
{
    const GadgetView& view = mainWindow_->view;
    const PixelRect place = windowPlace(
        TwipRect{view.window.left, view.window.top, view.window.width, view.window.height}, desktop_, scale_);
    if (place != placed_) {
        SetWindowPos(window_, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = place;
    }
    if (view.window.colourKey != key_) {
        applyColourKey(window_, static_cast<std::uint32_t>(view.window.colourKey));
        key_ = view.window.colourKey;
    }
    if (view != painted_) {
        InvalidateRect(window_, nullptr, FALSE);
        painted_ = view;
    }
    if ((IsWindowVisible(window_) != FALSE) != view.window.visible)
        ShowWindow(window_, view.window.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    strip_->sync(mainWindow_->positionMode(), view.window.colourKey);
    tray_->sync(view.tray);
    syncTimers();
    if (mainWindow_->endRequested && !ending_) {
        ending_ = true;
        PostQuitMessage(0);
    }
}

void GadgetShell::syncTimers()
{
    for (std::size_t index = 0; index < kTimerSlots.size(); ++index) {
        const Timer& wanted = mainWindow_->timers.*kTimerSlots[index].timer;
        switch (timerStep(wanted, runningMs_[index])) {
        case TimerStep::Start:
            SetTimer(window_, kTimerSlots[index].id, static_cast<UINT>(wanted.intervalMs), nullptr);
            runningMs_[index] = wanted.intervalMs;
            break;
        case TimerStep::Stop:
            KillTimer(window_, kTimerSlots[index].id);
            runningMs_[index] = 0;
            break;
        case TimerStep::Keep:
            break;
        }
    }
}

void GadgetShell::openSettings()
{
    const TwipSize screen = services_.screen.primarySize();
    setup_.open(mainWindow_->store, scale_.whole(TwipRect{0, 0, screen.width, screen.height}));
}

void GadgetShell::saveSettings(const SettingsDialogState& state)
{
    state.copyToStore(mainWindow_->store);
    // The file is written at once, so that nothing is lost if the program
    // ends first; a long action under way keeps its main window until it
    // ends, and the restart follows then.
    if (actions_.react(GadgetEvent::Save) != Reaction::SaveAndReload) {
        mainWindow_->cmdSave();
        return;
    }
    mainWindow_->view.window.visible = false;
    sync();
    mainWindow_->cmdSave();
    restartMainWindow();
}

void GadgetShell::restartMainWindow()
{
    mainWindow_->Form_Unload();
    sync();
    // A fresh main window in the same place, as a new load of the form
    // starts from nothing; the instance lock stays with this process.
    mainWindow_.emplace(services_);
    load();
}

}  // namespace tavlo
