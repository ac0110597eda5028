#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "core/settings_store.h"
#include "platform/geometry.h"
#include "platform/user_notifier.h"
#include "setup/settings_dialog_state.h"
#include "shell/win32/dpi_scale.h"
#include "shell/win32/owned_window.h"
#include "shell/win32/settings_dialog_plan.h"

namespace tavlo {

// The settings dialog frmSetup "設定" on Win32: a modeless window of the
// controls of kSetupControls that shows a SettingsDialogState and turns the
// user's clicks into its calls. "保存" hands the state to the owner, which
// saves it and starts the gadget afresh while the dialog stays open;
// "キャンセル", "閉じる" and the close box close it.
class SettingsWindow {
public:
    using SaveHandler = std::function<void(const SettingsDialogState&)>;

    SettingsWindow(DpiScale scale, UserNotifier& notifier, SaveHandler onSave);
    ~SettingsWindow();
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // Opens on a copy of `store`, its outer frame in the middle of `screen`
    // (pixels); while open, it only comes to the front.
    void open(const SettingsStore& store, const PixelRect& screen);
    bool isOpen() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    // The dialog's keys (Tab, the arrows, Enter, Escape) for a message
    // taken from the queue; true when it was the dialog's and is handled.
    bool keyboardMessage(MSG& message);
    // Drawn at `scale` from now on: an open dialog lays its controls and
    // font out afresh, its client area sized anew about the same middle.
    void rescale(DpiScale scale);

private:
    template <typename Owner> friend LRESULT CALLBACK ownedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool create(const PixelRect& screen);
    void build();
    void command(std::size_t index, WORD notification);
    void clicked(const ControlPlacement& placement);
    void refresh();
    HBRUSH colourStatic(HDC device, HWND control);
    void drawSetButton(const DRAWITEMSTRUCT& item);
    HWND control(std::string_view name) const;
    const DialogControlSpec* specOf(HWND control) const;

    DpiScale scale_;
    UserNotifier& notifier_;
    SaveHandler onSave_;
    SettingsDialogState state_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH white_ = nullptr;
    std::vector<DialogControlSpec> plan_;
    // The control of each entry of the plan.
    std::vector<HWND> controls_;
    // The control that has the keyboard while the dialog is in the
    // background, and gets it back with the foreground.
    HWND focus_ = nullptr;
    // The brushes of the swatches now shown, in the order of kColourRows,
    // then the transparency colour's.
    std::array<HBRUSH, kColourRowCount + 1> swatchBrushes_{};
};

}  // namespace tavlo
