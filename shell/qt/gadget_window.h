#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

#include "display/gadget_view.h"
#include "platform/desktop_window.h"
#include "shell/qt/position_strip.h"
#include "shell/qt/render_cache.h"

namespace tavlo {

// The borderless gadget window: it paints the view it is given, places
// itself where the view says, and lets the wallpaper show through every
// pixel of the colour key: by per-pixel alpha while a compositor runs, by a
// window shape otherwise. It follows a compositor that starts or stops.
class GadgetWindow : public QWidget {
    Q_OBJECT

public:
    explicit GadgetWindow(const GadgetView& view);

    // Follows the view's geometry and visibility, and repaints when what it
    // shows has changed.
    void sync();

signals:
    // A right click on the gadget: the same popup menu as on the icon, for
    // desktops without a notification area.
    void menuRequested(const QPoint& globalPosition);
    // The handle and buttons of the position mode.
    void handlePressed(int buttons, QPointF twips);
    void handleMoved(int buttons, QPointF twips);
    void saveClicked();
    void backClicked();
    // The window has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void render();
    void followCompositor();
    // The position mode's controls, made the first time it is entered.
    void makeStrip();

    const GadgetView& view_;
    std::optional<GadgetView> painted_;
    RenderCache cache_;
    QImage picture_;
    WindowShape shape_;
    bool compositing_ = false;
    bool paintedOnce_ = false;
    QTimer compositorWatch_;
    std::unique_ptr<PositionStrip> strip_;
};

}  // namespace tavlo
