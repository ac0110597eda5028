#pragma once

#include <QImage>

#include <array>

#include "display/gadget_view.h"

namespace tavlo {

// The pictures Mp0 … Mp29 as images at one device pixel ratio, each drawn
// the first time it is needed.
class MoonImages {
public:
    const QImage& picture(int age, qreal devicePixelRatio);

private:
    qreal ratio_ = 0;
    std::array<QImage, kMoonPictureCount> images_;
};

}  // namespace tavlo
