#pragma once

#include <QFont>
#include <QStaticText>

#include <array>

#include "display/layout.h"
#include "shell/qt/moon_images.h"

namespace tavlo {

// What painting the gadget keeps from one repaint to the next: the moon
// pictures, and each label's laid-out text, so that a label drawn again
// unchanged (beside one that changed) is not laid out anew.
class RenderCache {
public:
    MoonImages moons;

    // The label's text laid out in its font; `wrapWidth` > 0 wraps it
    // within that width, aligned as given.
    const QStaticText& text(
        std::size_t label, const QString& text, const QFont& font, qreal wrapWidth, Qt::Alignment alignment);

private:
    struct Entry {
        QStaticText layout;
        QFont font;
        qreal wrapWidth = -1;
    };
    std::array<Entry, kLabelPlacements.size()> labels_;
};

}  // namespace tavlo
