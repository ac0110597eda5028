#include "shell/gadget_renderer.h"

#include <QBitmap>
#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

#include "core/frm_dtmn.h"
#include "display/layout.h"
#include "shell/fonts.h"
#include "shell/moon_images.h"
#include "shell/qt_colour.h"

namespace tavlo {
namespace {

QRectF toPixels(const TwipRect& rect)
{
    return {rect.left / kTwipsPerPixel, rect.top / kTwipsPerPixel, rect.width / kTwipsPerPixel,
        rect.height / kTwipsPerPixel};
}

// A one-pixel outline inside the rectangle, as the shapes of the layout draw it.
void drawOutline(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    const qreal line = 1;
    painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), line), colour);
    painter.fillRect(QRectF(rect.left(), rect.bottom() - line, rect.width(), line), colour);
    painter.fillRect(QRectF(rect.left(), rect.top(), line, rect.height()), colour);
    painter.fillRect(QRectF(rect.right() - line, rect.top(), line, rect.height()), colour);
}

void drawBars(QPainter& painter, const GadgetView& view)
{
    for (const BarPlacement& placement : kBarPlacements) {
        const BarView& bar = view.*placement.bar;
        const QRectF frame = toPixels(placement.rect);
        if (bar.width > 0) {
            const QRectF filled(frame.topLeft(), QSizeF(bar.width / kTwipsPerPixel, frame.height()));
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

void drawLabels(QPainter& painter, const GadgetView& view, bool antialiased)
{
    for (const LabelPlacement& placement : kLabelPlacements) {
        const LabelView& label = view.*placement.label;
        if (!label.visible || label.text.empty())
            continue;
        const QRectF rect = toPixels(placement.rect);
        const QFont font = labelFont(label.font, antialiased);
        // A label high enough for two lines wraps its text within its width
        // ("空き　領域" at the ideographic space); a one-line label keeps its
        // text on one line even where a long memory total overruns its width.
        const bool wraps = rect.height() > 1.5 * QFontMetricsF(font).lineSpacing();
        const int flags = static_cast<int>(qtAlignment(placement.alignment) | Qt::AlignTop)
            | (wraps ? Qt::TextWordWrap : Qt::TextDontClip);
        painter.save();
        if (wraps)
            painter.setClipRect(rect);
        painter.setFont(font);
        painter.setPen(toQColor(label.colour));
        painter.drawText(rect, flags, QString::fromStdString(label.text));
        painter.restore();
    }
}

void drawMoon(QPainter& painter, const GadgetView& view, MoonImages& moons, qreal devicePixelRatio)
{
    for (int age = 0; age < kMoonPictureCount; ++age) {
        if (view.moonVisible[static_cast<std::size_t>(age)]) {
            painter.drawImage(toPixels(kMoonRect).topLeft(), moons.picture(age, devicePixelRatio));
            return;
        }
    }
}

}  // namespace

QImage renderGadget(const GadgetView& view, MoonImages& moons, qreal devicePixelRatio, Backdrop backdrop)
{
    const QSize logical(static_cast<int>(std::lround(view.window.width / kTwipsPerPixel)),
        static_cast<int>(std::lround(view.window.height / kTwipsPerPixel)));
    QImage image(logical * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    const bool smooth = backdrop == Backdrop::Transparent;
    image.fill(smooth ? QColor(Qt::transparent) : toQColor(view.window.colourKey));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    drawMoon(painter, view, moons, devicePixelRatio);
    drawBars(painter, view);
    drawLabels(painter, view, smooth);
    painter.end();
    return image;
}

void clearKeyPixels(QImage& image, Colour key)
{
    const QRgb keyRgb = toQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0 && (qUnpremultiply(line[x]) & 0xFFFFFF) == keyRgb)
                line[x] = 0;
        }
    }
}

QRegion opaqueRegion(const QImage& image, Colour key)
{
    const QImage mask = image.convertToFormat(QImage::Format_RGB32)
                            .createMaskFromColor(toQColor(key).rgb(), Qt::MaskInColor);
    const QRegion region(QBitmap::fromImage(mask));
    const qreal ratio = image.devicePixelRatio();
    return ratio == 1 ? region : QTransform::fromScale(1 / ratio, 1 / ratio).map(region);
}

}  // namespace tavlo
