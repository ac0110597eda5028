#include "shell/qt/gadget_window.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>

#include <cmath>

#include "core/product.h"
#include "display/window_place.h"
#include "platform/desktop_window.h"
#include "shell/qt/gadget_renderer.h"
#include "shell/qt/startup_trace.h"

namespace tavlo {
namespace {

// How often to look whether a compositor started or stopped.
constexpr int kCompositorWatchMs = 2000;

}  // namespace

GadgetWindow::GadgetWindow(const GadgetView& view)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      view_(view),
      compositing_(compositorRunning())
{
    setObjectName("frmDTMn");
    setWindowTitle(kProductName);
    // The gadget takes no keyboard input (the position strip works with the
    // pointer): it appears, and is clicked, without taking the focus from
    // the window the user types in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, compositing_);
    // The picture covers the whole window: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    create();
    keepOffTaskbar(winId());
    refuseKeyboardFocus(winId());

    compositorWatch_.callOnTimeout(this, &GadgetWindow::followCompositor);
    compositorWatch_.start(kCompositorWatchMs);
}

void GadgetWindow::sync()
{
    const WindowView& window = view_.window;
    const QSize size(wholePixels(window.width), wholePixels(window.height));
    if (this->size() != size)
        setFixedSize(size);
    const QPoint position(wholePixels(window.left), wholePixels(window.top));
    if (pos() != position)
        move(position);
    const bool positionMode = window.height >= kPositionModeHeight;
    if (positionMode && !strip_)
        makeStrip();
    if (strip_ && strip_->PstnMove->isHidden() == positionMode)
        strip_->setVisible(positionMode);
    if (painted_ != view_)
        render();
    if (isVisible() != window.visible)
        setVisible(window.visible);
}

void GadgetWindow::render()
{
    const qreal ratio = devicePixelRatioF();
    const Backdrop backdrop = compositing_ ? Backdrop::Transparent : Backdrop::ColourKey;
    const QSize size(wholePixels(view_.window.width), wholePixels(view_.window.height));
    QRegion changed;
    if (!painted_ || picture_.devicePixelRatio() != ratio || picture_.deviceIndependentSize().toSize() != size) {
        picture_ = renderGadget(view_, cache_, ratio, backdrop);
        changed = QRect(QPoint(0, 0), size);
    } else {
        // Only what changed is drawn again: the clock moves every second.
        changed = changedArea(*painted_, view_);
        repaintGadget(picture_, view_, cache_, backdrop, changed);
    }
    painted_ = view_;

    if (compositing_)
        clearKeyPixels(picture_, view_.window.colourKey, changed);
    // The see-through pixels let clicks through to the desktop, as a colour
    // key does, with or without a compositor.
    if (!changed.isEmpty()) {
        updateShape(shape_, picture_, view_.window.colourKey, changed, backdrop);
        if (view_.window.height >= kPositionModeHeight && strip_) {
            for (const QRect& rect : strip_->rects())
                keepRect(shape_, QRectF(QRectF(rect).topLeft() * ratio, QRectF(rect).size() * ratio).toAlignedRect());
        }
        setWindowShape(winId(), shape_, compositing_ ? ShapeKind::InputOnly : ShapeKind::DrawingAndInput);
    }
    update(changed);
}

void GadgetWindow::makeStrip()
{
    strip_ = std::make_unique<PositionStrip>(this);
    connect(strip_->PstnMove, &DragHandle::pressed, this, &GadgetWindow::handlePressed);
    connect(strip_->PstnMove, &DragHandle::moved, this, &GadgetWindow::handleMoved);
    connect(strip_->cmdPstnSave, &QPushButton::clicked, this, &GadgetWindow::saveClicked);
    connect(strip_->cmdFstPstn, &QPushButton::clicked, this, &GadgetWindow::backClicked);
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
    refuseKeyboardFocus(winId());
    painted_.reset();
    shape_ = {};
    render();
    move(wholePixels(view_.window.left), wholePixels(view_.window.top));
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
    if (!paintedOnce_) {
        paintedOnce_ = true;
        traceStartup("first paint");
        emit firstPainted();
    }
}

}  // namespace tavlo
