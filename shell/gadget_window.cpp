#include "shell/gadget_window.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QPainter>

#include <cmath>

#include "core/frm_dtmn.h"
#include "platform/desktop_window.h"
#include "shell/gadget_renderer.h"

namespace tavlo {
namespace {

// How often to look whether a compositor started or stopped.
constexpr int kCompositorWatchMs = 2000;

}  // namespace

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

GadgetWindow::GadgetWindow(const GadgetView& view)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), view_(view), compositing_(compositorRunning())
{
    setObjectName("frmDTMn");
    setWindowTitle(kProductName);
    setAttribute(Qt::WA_TranslucentBackground, compositing_);
    create();
    keepOffTaskbar(winId());

    compositorWatch_.callOnTimeout(this, &GadgetWindow::followCompositor);
    compositorWatch_.start(kCompositorWatchMs);
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
    if (painted_ != view_)
        render();
    if (isVisible() != window.visible)
        setVisible(window.visible);
}

void GadgetWindow::render()
{
    painted_ = view_;
    const qreal ratio = devicePixelRatioF();
    if (compositing_) {
        picture_ = renderGadget(view_, moons_, ratio, Backdrop::Transparent);
        clearKeyPixels(picture_, view_.window.colourKey);
        clearMask();
    } else {
        picture_ = renderGadget(view_, moons_, ratio, Backdrop::ColourKey);
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            setMask(opaqueRegion(picture_, view_.window.colourKey));
    }
    update();
}

void GadgetWindow::followCompositor()
{
    const bool running = compositorRunning();
    if (running == compositing_)
        return;
    // Translucency is chosen when the native window is made: make it anew.
    compositing_ = running;
    const bool shown = isVisible();
    hide();
    destroy();
    setAttribute(Qt::WA_TranslucentBackground, compositing_);
    create();
    keepOffTaskbar(winId());
    render();
    move(twipsToPixels(view_.window.left), twipsToPixels(view_.window.top));
    if (shown)
        show();
}

void GadgetWindow::contextMenuEvent(QContextMenuEvent* event)
{
    emit menuRequested(event->globalPos());
}

void GadgetWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture_);
}

}  // namespace tavlo
