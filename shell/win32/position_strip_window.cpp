#include "shell/win32/position_strip_window.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "display/position_strip_layout.h"
#include "display/window_place.h"
#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

constexpr wchar_t kWindowClass[] = L"PstnStrip";

// The buttons of the window system's message boxes, in the system's own
// face, which shows Japanese where the system does.
HFONT messageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The buttons that the mouse sends with its messages, as the handlers
// count them: 1 left, 2 right, 4 middle.
int pressedButtons(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

RECT toRect(const PixelRect& rect, POINT origin)
{
    const int left = rect.x - origin.x, top = rect.y - origin.y;
    return {left, top, left + rect.width, top + rect.height};
}

}  // namespace

PositionStripWindow::PositionStripWindow(HWND gadget, DpiScale scale, DpiScale desktop, Handler handler)
    : handler_(std::move(handler)), pointer_(scale, desktop), font_(messageFont())
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    static const ATOM windowClass = registerOwnedWindowClass<PositionStripWindow>(module, kWindowClass);
    if (!windowClass)
        return;
    const PixelRect band = scale.whole(TwipRect{0, kNormalHeight, kWindowWidth, kPositionModeHeight - kNormalHeight});
    origin_ = {band.x, band.y};
    // The gadget's own picture stays off the strip.
    SetWindowLongPtrW(gadget, GWL_STYLE, GetWindowLongPtrW(gadget, GWL_STYLE) | WS_CLIPCHILDREN);
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, band.x, band.y, band.width, band.height,
        gadget, nullptr, module, this);
}

PositionStripWindow::~PositionStripWindow()
{
    if (window_)
        DestroyWindow(window_);
    if (font_)
        DeleteObject(font_);
}

void PositionStripWindow::sync(bool shown, Colour key)
{
    if (!window_)
        return;
    if (key != key_) {
        key_ = key;
        InvalidateRect(window_, nullptr, FALSE);
    }
    if ((IsWindowVisible(window_) != FALSE) != shown) {
        if (!shown && pointer_.holding())
            ReleaseCapture();
        ShowWindow(window_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

POINT PositionStripWindow::inGadget(LPARAM lParam) const
{
    // While the pointer is held it can leave the strip: signed coordinates.
    return {GET_X_LPARAM(lParam) + origin_.x, GET_Y_LPARAM(lParam) + origin_.y};
}

LRESULT PositionStripWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::optional<StripEvent> event;
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(window_, &at);
        if (pointer_.places().partAt(at.x + origin_.x, at.y + origin_.y) == StripPart::PstnMove) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        const POINT at = inGadget(lParam);
        event = pointer_.press(at.x, at.y, pressedButtons(wParam));
        if (pointer_.holding())
            SetCapture(window_);
        break;
    }
    case WM_MOUSEMOVE: {
        const POINT at = inGadget(lParam);
        event = pointer_.move(at.x, at.y, pressedButtons(wParam));
        break;
    }
    case WM_LBUTTONUP: {
        const POINT at = inGadget(lParam);
        event = pointer_.release(at.x, at.y);
        ReleaseCapture();
        break;
    }
    case WM_CAPTURECHANGED:
        pointer_.cancel();
        return 0;
    case WM_NCDESTROY: {
        // The gadget window takes its children with it.
        const HWND window = window_;
        window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        break;
    }
    if (event) {
        handler_(*event);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void PositionStripWindow::paint()
{
    PAINTSTRUCT paintInfo;
    const HDC device = BeginPaint(window_, &paintInfo);
    RECT client;
    GetClientRect(window_, &client);
    const HBRUSH key = CreateSolidBrush(static_cast<COLORREF>(key_));
    FillRect(device, &client, key);
    DeleteObject(key);
    const StripPlaces& places = pointer_.places();
    drawHandle(device, toRect(places.PstnMove, origin_));
    drawButton(device, toRect(places.cmdPstnSave, origin_), StripPart::cmdPstnSave);
    drawButton(device, toRect(places.cmdFstPstn, origin_), StripPart::cmdFstPstn);
    EndPaint(window_, &paintInfo);
}

void PositionStripWindow::drawHandle(HDC device, const RECT& place) const
{
    // A four-way arrow on a light tile, drawn on a grid of 33 steps a side:
    // what can be dragged.
    const double step = (place.right - place.left) / 33.0;
    const auto at = [&](double x, double y) {
        return POINT{place.left + static_cast<LONG>(x * step), place.top + static_cast<LONG>(y * step)};
    };
    const HPEN edge = CreatePen(PS_SOLID, 1, RGB(0x60, 0x60, 0x60));
    const HBRUSH tile = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
    const HGDIOBJ oldPen = SelectObject(device, edge);
    const HGDIOBJ oldBrush = SelectObject(device, tile);
    const int corner = static_cast<int>(10 * step);
    RoundRect(device, place.left, place.top, place.right, place.bottom, corner, corner);

    const HPEN shaft = CreatePen(PS_SOLID, std::max(1, static_cast<int>(2 * step)), RGB(0x30, 0x30, 0x30));
    const HBRUSH head = CreateSolidBrush(RGB(0x30, 0x30, 0x30));
    SelectObject(device, shaft);
    const std::array<std::array<POINT, 2>, 2> shafts{{{at(16.5, 6), at(16.5, 27)}, {at(6, 16.5), at(27, 16.5)}}};
    for (const auto& line : shafts) {
        MoveToEx(device, line[0].x, line[0].y, nullptr);
        LineTo(device, line[1].x, line[1].y);
    }
    SelectObject(device, GetStockObject(NULL_PEN));
    SelectObject(device, head);
    const std::array<std::array<POINT, 3>, 4> heads{{
        {at(16.5, 2), at(12, 8), at(21, 8)},
        {at(16.5, 31), at(12, 25), at(21, 25)},
        {at(2, 16.5), at(8, 12), at(8, 21)},
        {at(31, 16.5), at(25, 12), at(25, 21)},
    }};
    for (const auto& triangle : heads)
        Polygon(device, triangle.data(), static_cast<int>(triangle.size()));

    SelectObject(device, oldPen);
    SelectObject(device, oldBrush);
    DeleteObject(edge);
    DeleteObject(tile);
    DeleteObject(shaft);
    DeleteObject(head);
}

void PositionStripWindow::drawButton(HDC device, const RECT& place, StripPart part) const
{
    const HBRUSH face = CreateSolidBrush(static_cast<COLORREF>(kStripButtonColour));
    const HBRUSH border = CreateSolidBrush(RGB(0x70, 0x70, 0x70));
    FillRect(device, &place, face);
    FrameRect(device, &place, border);
    DeleteObject(face);
    DeleteObject(border);

    std::wstring caption = toWide(part == StripPart::cmdPstnSave ? kPstnSaveCaption : kFstPstnCaption);
    const HGDIOBJ oldFont = font_ ? SelectObject(device, font_) : nullptr;
    SetBkMode(device, TRANSPARENT);
    SetTextColor(device, RGB(0, 0, 0));
    RECT text = place;
    DrawTextW(device, caption.data(), static_cast<int>(caption.size()), &text,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont)
        SelectObject(device, oldFont);
}

}  // namespace tavlo
