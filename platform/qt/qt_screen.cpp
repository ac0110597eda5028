#include "platform/qt/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "core/frm_dtmn.h"

namespace tavlo {

TwipSize QtScreen::primarySize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->geometry().size();
    return {size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel};
}

std::vector<TwipRect> QtScreen::screens() const
{
    std::vector<TwipRect> result;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        result.push_back({area.x() * kTwipsPerPixel, area.y() * kTwipsPerPixel, area.width() * kTwipsPerPixel,
            area.height() * kTwipsPerPixel});
    }
    return result;
}

}  // namespace tavlo
