#include "platform/qt/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/qt_geometry.h"

namespace tavlo {

TwipSize QtScreen::primarySize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const TwipRect area = twipsOf(screen->geometry());
    return {area.width, area.height};
}

std::vector<TwipRect> QtScreen::screens() const
{
    std::vector<TwipRect> result;
    for (const QScreen* screen : QGuiApplication::screens())
        result.push_back(twipsOf(screen->geometry()));
    return result;
}

}  // namespace tavlo
