#include "platform/windows/win32_clipboard.h"

namespace tavlo {

bool emptyClipboard(HWND owner)
{
    constexpr int kAttempts = 10;
    constexpr DWORD kPauseMs = 10;
    for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
        if (attempt == kAttempts)
            return false;
        Sleep(kPauseMs);
    }
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    return emptied;
}

}  // namespace tavlo
