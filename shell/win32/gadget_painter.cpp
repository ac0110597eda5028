#include "shell/win32/gadget_painter.h"

#include "display/layout.h"
#include "display/moon_picture.h"
#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

// The numeric labels use the window's default font: the Japanese system
// default of 9 points.
constexpr double kDefaultPointSize = 9;

RECT rectOf(const PixelRect& pixels)
{
    return {pixels.x, pixels.y, pixels.x + pixels.width, pixels.y + pixels.height};
}

void fill(HDC device, const RECT& rect, Colour colour)
{
    const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
    FillRect(device, &rect, brush);
    DeleteObject(brush);
}

// A one-pixel outline inside the rectangle, as the layout's shapes draw it.
void outline(HDC device, const RECT& rect, Colour colour)
{
    const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
    FrameRect(device, &rect, brush);
    DeleteObject(brush);
}

UINT alignmentFlag(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return DT_LEFT;
    case Alignment::Centre:
        return DT_CENTER;
    case Alignment::Right:
        return DT_RIGHT;
    }
    return DT_LEFT;
}

}  // namespace

GadgetPainter::~GadgetPainter()
{
    for (const auto& [spec, handle] : fonts_)
        DeleteObject(handle);
}

void GadgetPainter::rescale(DpiScale scale)
{
    for (const auto& [spec, handle] : fonts_)
        DeleteObject(handle);
    fonts_.clear();
    for (std::vector<std::uint32_t>& moon : moons_)
        moon.clear();
    scale_ = scale;
}

void GadgetPainter::paint(HDC device, const GadgetView& view)
{
    const RECT window{0, 0, scale_.whole(view.window.width), scale_.whole(view.window.height)};
    fill(device, window, view.window.colourKey);
    drawMoon(device, view);
    drawBars(device, view);
    drawLabels(device, view);
}

HFONT GadgetPainter::font(const FontSpec& spec)
{
    const auto key = std::tuple(spec.face, spec.pointSize, spec.bold, spec.italic);
    if (const auto found = fonts_.find(key); found != fonts_.end())
        return found->second;
    const std::wstring face = toWide(spec.face.empty() ? kDefaultClockFace : spec.face);
    LOGFONTW description{};
    // A negative height is the glyphs' em height, as a point size means.
    description.lfHeight = -scale_.fontPixels(spec.pointSize > 0 ? spec.pointSize : kDefaultPointSize);
    description.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = spec.italic ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = NONANTIALIASED_QUALITY;
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    const HFONT handle = CreateFontIndirectW(&description);
    fonts_.emplace(key, handle);
    return handle;
}

void GadgetPainter::drawLabels(HDC device, const GadgetView& view)
{
    SetBkMode(device, TRANSPARENT);
    for (const LabelPlacement& placement : kLabelPlacements) {
        const LabelView& label = view.*placement.label;
        if (!label.visible || label.text.empty())
            continue;
        RECT rect = rectOf(scale_.whole(placement.rect));
        const HGDIOBJ previous = SelectObject(device, font(label.font));
        TEXTMETRICW metrics{};
        GetTextMetricsW(device, &metrics);
        // A label high enough for two lines wraps its text within its width
        // ("空き　領域"); a one-line label keeps its text on one line even
        // where a long memory total overruns its width.
        const bool wraps = (rect.bottom - rect.top) > 1.5 * (metrics.tmHeight + metrics.tmExternalLeading);
        const UINT flags
            = alignmentFlag(placement.alignment) | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE | DT_NOCLIP);
        SetTextColor(device, static_cast<COLORREF>(label.colour));
        std::wstring text = toWide(label.text);
        DrawTextW(device, text.data(), static_cast<int>(text.size()), &rect, flags);
        SelectObject(device, previous);
    }
}

void GadgetPainter::drawBars(HDC device, const GadgetView& view)
{
    for (const BarPlacement& placement : kBarPlacements) {
        const BarView& bar = view.*placement.bar;
        const RECT frame = rectOf(scale_.whole(placement.rect));
        if (bar.width > 0) {
            const RECT filled{frame.left, frame.top, scale_.whole(placement.rect.left + bar.width), frame.bottom};
            fill(device, filled, bar.fill);
            outline(device, filled, bar.border);
        }
        outline(device, frame, bar.frameBorder);
    }
}

void GadgetPainter::drawMoon(HDC device, const GadgetView& view)
{
    const PixelRect place = scale_.whole(kMoonRect);
    for (std::size_t age = 0; age < moons_.size(); ++age) {
        if (!view.moonVisible[age])
            continue;
        std::vector<std::uint32_t>& pixels = moons_[age];
        if (pixels.empty())
            pixels = drawMoonPicture(static_cast<int>(age), place.width).pixels;
        // 0xFFRRGGBB words are the blue, green, red, unused bytes of a
        // 32-bit DIB; a negative height puts the first row at the top.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = place.width;
        info.bmiHeader.biHeight = -place.width;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(device, place.x, place.y, static_cast<DWORD>(place.width), static_cast<DWORD>(place.width), 0,
            0, 0, static_cast<UINT>(place.width), pixels.data(), &info, DIB_RGB_COLORS);
        return;
    }
}

}  // namespace tavlo
