#pragma once

#include <windows.h>

#include "platform/user_notifier.h"

namespace tavlo {

// The system's plain message box, without an icon, as every Windows
// program shows it. The program's lines end in a lone carriage return,
// which the box breaks at as it does at CR LF (Windows and Wine alike),
// so the text goes in unchanged.
class Win32MessageBoxNotifier final : public UserNotifier {
public:
    void showMessage(const std::string& text) override;
    bool ask(const std::string& text) override;

    // The window the boxes belong to and stay in front of (none by default).
    void setOwner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

}  // namespace tavlo
