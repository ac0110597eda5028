#pragma once

#include <QWidget>

#include "display/gadget_view.h"

namespace tavlo {

// The borderless gadget window: it paints the view it is given and places
// itself where the view says. It keeps no state of its own.
class GadgetWindow : public QWidget {
    Q_OBJECT

public:
    explicit GadgetWindow(const GadgetView& view);

    // Follows the view's geometry and visibility and repaints.
    void sync();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const GadgetView& view_;
};

// Twips to device-independent pixels, rounded to the nearest pixel.
int twipsToPixels(double twips);

}  // namespace tavlo
