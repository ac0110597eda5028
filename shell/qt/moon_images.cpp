#include "shell/qt/moon_images.h"

#include <cmath>

#include "display/layout.h"
#include "display/moon_picture.h"
#include "platform/geometry.h"

namespace tavlo {

const QImage& MoonImages::picture(int age, qreal devicePixelRatio)
{
    if (devicePixelRatio != ratio_) {
        images_ = {};
        ratio_ = devicePixelRatio;
    }
    QImage& image = images_.at(static_cast<std::size_t>(age));
    if (image.isNull()) {
        const int size = static_cast<int>(std::lround(exactPixels(kMoonRect.width) * devicePixelRatio));
        const MoonPicture moon = drawMoonPicture(age, size);
        image = QImage(reinterpret_cast<const uchar*>(moon.pixels.data()), size, size, QImage::Format_RGB32).copy();
        image.setDevicePixelRatio(devicePixelRatio);
    }
    return image;
}

}  // namespace tavlo
