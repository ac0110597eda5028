#include "shell/win32/notify_icon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "shell/win32/icon_pixels.h"
#include "shell/win32/notify_tip.h"

namespace tavlo {
namespace {

constexpr UINT kIconId = 1;
// The icon resource's id, as tavlo.rc names it.
constexpr WORD kIconResource = 1;

}  // namespace

HICON makeGadgetIcon(int side)
{
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = side;
    header.bV5Height = -side;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HBITMAP colour
        = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour)
        return nullptr;
    const std::vector<std::uint32_t> pixels = gadgetIconPixels(side);
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    // With an alpha channel the mask only has to be there: all zero.
    const std::vector<std::uint8_t> zeros(static_cast<std::size_t>((side + 15) / 16 * 2 * side));
    const HBITMAP mask = CreateBitmap(side, side, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

HICON loadGadgetIcon(int side)
{
    const HANDLE icon = LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, side, side, LR_DEFAULTCOLOR);
    return icon ? static_cast<HICON>(icon) : makeGadgetIcon(side);
}

NotifyIcon::NotifyIcon(HWND owner, UINT callbackMessage)
    : owner_(owner), callbackMessage_(callbackMessage), icon_(loadGadgetIcon(GetSystemMetrics(SM_CXSMICON)))
{
}

NotifyIcon::~NotifyIcon()
{
    remove();
    if (icon_)
        DestroyIcon(icon_);
}

NOTIFYICONDATAW NotifyIcon::data(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    std::copy(shownTip_.begin(), shownTip_.end(), data.szTip);
    return data;
}

bool NotifyIcon::add(const TrayView& tray)
{
    shownTip_ = notifyTipText(tray.tip, std::size(NOTIFYICONDATAW{}.szTip));
    NOTIFYICONDATAW icon = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
    return added_;
}

void NotifyIcon::remove()
{
    if (!added_)
        return;
    NOTIFYICONDATAW icon = data(0);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    added_ = false;
}

void NotifyIcon::sync(const TrayView& tray)
{
    if (!tray.present) {
        remove();
        return;
    }
    if (!added_) {
        add(tray);
        return;
    }
    const std::wstring tip = notifyTipText(tray.tip, std::size(NOTIFYICONDATAW{}.szTip));
    if (tip == shownTip_)
        return;
    shownTip_ = tip;
    NOTIFYICONDATAW icon = data(NIF_TIP);
    Shell_NotifyIconW(NIM_MODIFY, &icon);
}

void NotifyIcon::addAgain(const TrayView& tray)
{
    added_ = false;
    if (tray.present)
        add(tray);
}

}  // namespace tavlo
