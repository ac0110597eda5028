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

}  // namespace tavlo
