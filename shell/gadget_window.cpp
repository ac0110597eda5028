#include "shell/gadget_window.h"

#include <QPainter>

#include <cmath>

#include "core/frm_dtmn.h"
#include "shell/qt_colour.h"

namespace tavlo {

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

GadgetWindow::GadgetWindow(const GadgetView& view) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), view_(view)
{
    setObjectName("frmDTMn");
    setWindowTitle(kProductName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GadgetWindow::sync()
{
    const WindowView& window = view_.window;
    const QSize size(twipsToPixels(window.width), twipsToPixels(window.height));
    if (this->size() != size)
        setFixedSize(size);
    const QPoint position(twipsToPixels(window.left), twipsToPixels(window.top));
    if (pos() != position)
        move(position);
    if (isVisible() != window.visible)
        setVisible(window.visible);
    update();
}

void GadgetWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(view_.window.colourKey));
}

}  // namespace tavlo
