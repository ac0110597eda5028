#include "shell/qt/gadget_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

#include "display/layout.h"
#include "platform/qt/qt_geometry.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_colour.h"
#include "shell/qt/render_cache.h"

namespace tavlo {
namespace {

// A one-pixel outline inside the rectangle, as the shapes of the layout draw it.
void drawOutline(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    const qreal line = 1;
    painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), line), colour);
    painter.fillRect(QRectF(rect.left(), rect.bottom() - line, rect.width(), line), colour);
    painter.fillRect(QRectF(rect.left(), rect.top(), line, rect.height()), colour);
    painter.fillRect(QRectF(rect.right() - line, rect.top(), line, rect.height()), colour);
}

void drawBars(QPainter& painter, const GadgetView& view, const QRegion& area)
{
    for (const BarPlacement& placement : kBarPlacements) {
        const BarView& bar = view.*placement.bar;
        const QRectF frame = exactPixels(placement.rect);
        if (!area.intersects(frame.toAlignedRect()))
            continue;
        if (bar.width > 0) {
            const QRectF filled(frame.topLeft(), QSizeF(exactPixels(bar.width), frame.height()));
            painter.fillRect(filled, toQColor(bar.fill));
            drawOutline(painter, filled, toQColor(bar.border));
        }
        drawOutline(painter, frame, toQColor(bar.frameBorder));
    }
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return Qt::AlignLeft;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// The band of a label: a one-line text may run past the label's ends.
QRect labelBand(const LabelPlacement& placement, int windowWidth)
{
    const QRect rect = exactPixels(placement.rect).toAlignedRect();
    return {0, rect.top(), windowWidth, rect.height()};
}

void drawLabels(QPainter& painter, const GadgetView& view, RenderCache& cache, bool antialiased, const QRegion& area,
    int windowWidth)
{
    for (std::size_t index = 0; index < kLabelPlacements.size(); ++index) {
        const LabelPlacement& placement = kLabelPlacements[index];
        const LabelView& label = view.*placement.label;
        if (!label.visible || label.text.empty() || !area.intersects(labelBand(placement, windowWidth)))
            continue;
        const QRectF rect = exactPixels(placement.rect);
        const QFont font = labelFont(label.font, antialiased);
        // A label high enough for two lines wraps its text within its width
        // ("空き　領域" at the ideographic space); a one-line label keeps its
        // text on one line even where a long memory total overruns its width.
        const bool wraps = rect.height() > 1.5 * QFontMetricsF(font).lineSpacing();
        const Qt::Alignment alignment = qtAlignment(placement.alignment);
        const QStaticText& text
            = cache.text(index, QString::fromStdString(label.text), font, wraps ? rect.width() : 0, alignment);
        QPointF position = rect.topLeft();
        if (!wraps && alignment != Qt::AlignLeft) {
            const qreal spare = rect.width() - text.size().width();
            position.rx() += alignment == Qt::AlignRight ? spare : spare / 2;
        }
        painter.save();
        if (wraps)
            painter.setClipRect(rect, Qt::IntersectClip);
        painter.setFont(font);
        painter.setPen(toQColor(label.colour));
        painter.drawStaticText(position, text);
        painter.restore();
    }
}

void drawMoon(QPainter& painter, const GadgetView& view, MoonImages& moons, qreal devicePixelRatio, const QRegion& area)
{
    if (!area.intersects(exactPixels(kMoonRect).toAlignedRect()))
        return;
    for (int age = 0; age < kMoonPictureCount; ++age) {
        if (view.moonVisible[static_cast<std::size_t>(age)]) {
            painter.drawImage(exactPixels(kMoonRect).topLeft(), moons.picture(age, devicePixelRatio));
            return;
        }
    }
}

QSize windowPixels(const GadgetView& view)
{
    return {wholePixels(view.window.width), wholePixels(view.window.height)};
}

}  // namespace

QImage renderGadget(const GadgetView& view, RenderCache& cache, qreal devicePixelRatio, Backdrop backdrop)
{
    QImage image(windowPixels(view) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    repaintGadget(image, view, cache, backdrop, QRect(QPoint(0, 0), windowPixels(view)));
    return image;
}

void repaintGadget(QImage& image, const GadgetView& view, RenderCache& cache, Backdrop backdrop, const QRegion& area)
{
    const bool smooth = backdrop == Backdrop::Transparent;
    QPainter painter(&image);
    painter.setClipRegion(area);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area.boundingRect(), smooth ? QColor(Qt::transparent) : toQColor(view.window.colourKey));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    drawMoon(painter, view, cache.moons, image.devicePixelRatio(), area);
    drawBars(painter, view, area);
    drawLabels(painter, view, cache, smooth, area, windowPixels(view).width());
}

QRegion changedArea(const GadgetView& before, const GadgetView& after)
{
    const QRect window(QPoint(0, 0), windowPixels(after));
    if (before.window.colourKey != after.window.colourKey || before.window.width != after.window.width
        || before.window.height != after.window.height)
        return window;
    QRegion area;
    for (const LabelPlacement& placement : kLabelPlacements) {
        if (before.*placement.label != after.*placement.label)
            area += labelBand(placement, window.width());
    }
    for (const BarPlacement& placement : kBarPlacements) {
        if (before.*placement.bar != after.*placement.bar)
            area += exactPixels(placement.rect).toAlignedRect();
    }
    if (before.moonVisible != after.moonVisible)
        area += exactPixels(kMoonRect).toAlignedRect();
    return area;
}

void clearKeyPixels(QImage& image, Colour key, const QRegion& area)
{
    const QRgb keyRgb = toQColor(key).rgb() & 0xFFFFFF;
    const qreal ratio = image.devicePixelRatio();
    const QRegion pixels
        = area.isEmpty() ? QRegion(image.rect()) : QTransform::fromScale(ratio, ratio).map(area) & image.rect();
    for (const QRect& rect : pixels) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (qAlpha(line[x]) != 0 && (qUnpremultiply(line[x]) & 0xFFFFFF) == keyRgb)
                    line[x] = 0;
            }
        }
    }
}

WindowShape shapeOf(const QImage& image, Colour key, Backdrop backdrop)
{
    WindowShape shape;
    updateShape(shape, image, key, {}, backdrop);
    return shape;
}

void updateShape(WindowShape& shape, const QImage& image, Colour key, const QRegion& area, Backdrop backdrop)
{
    // Over nothing, a see-through pixel is fully transparent: zero alpha.
    const QRgb mask = backdrop == Backdrop::ColourKey ? 0xFFFFFF : 0xFF000000;
    const QRgb empty = backdrop == Backdrop::ColourKey ? toQColor(key).rgb() & 0xFFFFFF : 0;
    const int width = image.width();
    int first = 0;
    int last = image.height() - 1;
    if (shape.width != width || shape.height != image.height() || area.isEmpty()) {
        shape = {width, image.height(), (width + 7) / 8, {}};
        shape.bits.resize(static_cast<std::size_t>(shape.stride) * static_cast<std::size_t>(shape.height));
    } else {
        const qreal ratio = image.devicePixelRatio();
        const QRect bounds = area.boundingRect();
        first = std::max(first, static_cast<int>(std::floor(bounds.top() * ratio)));
        last = std::min(last, static_cast<int>(std::ceil((bounds.bottom() + 1) * ratio)) - 1);
    }
    for (int y = first; y <= last; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* row = shape.bits.data() + static_cast<std::size_t>(y * shape.stride);
        for (int column = 0; column < shape.stride; ++column) {
            const int end = std::min(8, width - column * 8);
            unsigned byte = 0;
            for (int bit = 0; bit < end; ++bit)
                byte |= static_cast<unsigned>((line[column * 8 + bit] & mask) != empty) << bit;
            row[column] = static_cast<std::uint8_t>(byte);
        }
    }
}

void keepRect(WindowShape& shape, const QRect& rect)
{
    const QRect inside = rect & QRect(0, 0, shape.width, shape.height);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        std::uint8_t* row = shape.bits.data() + static_cast<std::size_t>(y * shape.stride);
        for (int x = inside.left(); x <= inside.right(); ++x)
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | 1 << (x % 8));
    }
}

}  // namespace tavlo
