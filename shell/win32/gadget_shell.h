#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "core/long_actions.h"
#include "shell/notifier_host.h"
#include "platform/windows/win32_message_box_notifier.h"
#include "platform/windows/windows_services.h"
#include "shell/main_window.h"
#include "shell/menu_entries.h"
#include "shell/win32/dpi_scale.h"
#include "shell/win32/gadget_painter.h"
#include "shell/win32/notify_icon.h"
#include "shell/win32/owned_window.h"
#include "shell/win32/popup_menu.h"
#include "shell/win32/position_strip_window.h"
#include "shell/win32/settings_window.h"

namespace tavlo {

// The gadget window frmDTMn on Win32: a keyed, layered popup kept off the
// taskbar, its notification icon, its popup menu and its timers. It turns
// the window's messages into calls of the main window's logic and then
// brings the window, the icon and the timers in line with the logic's view.
class GadgetShell : private NotifierHost {
public:
    // Makes the window, hidden and keyed with the load key, placed and
    // drawn at the desktop's `scale` until its monitor says otherwise; a
    // failure (no display) leaves created() false.
    GadgetShell(Services& services, WindowsServices& system, DpiScale scale);
    ~GadgetShell();
    GadgetShell(const GadgetShell&) = delete;
    GadgetShell& operator=(const GadgetShell&) = delete;

    bool created() const { return window_ != nullptr; }
    HWND window() const { return window_; }

    // Runs the load handler and shows what it set up; false when another
    // instance runs and this process is to end.
    bool load();
    // "終了": removes the icon and ends the message loop with status 0.
    void cmdClose();
    // Runs the messages until the program ends; the exit status.
    int run();

private:
    template <typename Owner> friend LRESULT CALLBACK ownedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The monitor's DPI changed, or the window went to a monitor of another:
    // drawn and sized afresh at `dpi`, its corner where its twips say.
    void dpiChanged(unsigned dpi);
    void makeStrip();
    void timerTick(UINT_PTR id);
    void showPopup(POINT at);
    // Destroys the menu window, unless its menu is open.
    void unloadMenu();
    void menuPicked(MenuCommand command);
    void sync();
    void syncTimers();
    // "設定": opens the settings dialog, or brings it to the front.
    void openSettings();
    // The dialog's "保存": its working copy into the store and the file,
    // then the main window unloaded and loaded afresh.
    void saveSettings(const SettingsDialogState& state);
    void restartMainWindow();

    // NotifierHost
    LongActions& actions() override { return actions_; }
    void wake() override;
    void repaint() override { sync(); }
    void stateChanged(ActionState state, bool reloadDue) override;

    Services& services_;
    WindowsServices& system_;
    // The scale of the desktop's coordinates, which the screen's twips and
    // the window's corner turn at, and the window's own, which its size and
    // picture turn at.
    DpiScale desktop_;
    DpiScale scale_;
    // Always holds one; a restart after "保存" puts a fresh one in its place.
    std::optional<MainWindow> mainWindow_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    GadgetPainter painter_;
    std::unique_ptr<NotifyIcon> tray_;
    // The menu window frmDTMnMenu, while loaded: made for the first menu,
    // destroyed by a left click on the icon, the restart timer and the
    // recycle-bin action.
    std::optional<PopupMenu> menu_;
    std::unique_ptr<PositionStripWindow> strip_;
    // What the window shows and how it is placed and keyed now.
    std::optional<GadgetView> painted_;
    std::optional<PixelRect> placed_;
    std::optional<Colour> key_;
    // The interval each of TmrN, TmrR and TmrRS runs at now (0: stopped).
    std::array<int, 3> runningMs_{};
    bool menuOpen_ = false;
    bool ending_ = false;
    // The long action under way, or None.
    MenuCommand running_ = MenuCommand::None;
    SettingsWindow setup_{
        scale_, services_.notifier, [this](const SettingsDialogState& state) { saveSettings(state); }};
    // Last: its work is stopped and waited for before the window goes.
    LongActions actions_{*this};
};

}  // namespace tavlo
