#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <string>

#include "display/gadget_view.h"

namespace tavlo {

// The gadget's icon in the notification area: added, its tip changed and
// removed as the view's tray says. Its mouse messages reach `owner` as
// `callbackMessage`, the mouse message in lParam.
class NotifyIcon {
public:
    NotifyIcon(HWND owner, UINT callbackMessage);
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    void sync(const TrayView& tray);
    // The taskbar started again (Explorer restarted) and knows no icon:
    // the icon that was there is added anew.
    void addAgain(const TrayView& tray);

private:
    bool add(const TrayView& tray);
    void remove();
    NOTIFYICONDATAW data(UINT flags) const;

    HWND owner_;
    UINT callbackMessage_;
    HICON icon_;
    bool added_ = false;
    std::wstring shownTip_;
};

// The program's icon as an HICON at `side` pixels; null when it could not
// be made.
HICON makeGadgetIcon(int side);

// The program's icon at `side` pixels from its resources, the image of the
// side closest to it; drawn with makeGadgetIcon when the running program
// carries no such resource.
HICON loadGadgetIcon(int side);

}  // namespace tavlo
