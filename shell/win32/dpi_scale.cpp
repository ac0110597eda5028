#include "shell/win32/dpi_scale.h"

#include <cmath>

namespace tavlo {

int DpiScale::whole(double twips) const
{
    return static_cast<int>(std::lround(exact(twips)));
}

PixelRect DpiScale::whole(const TwipRect& rect) const
{
    const int left = whole(rect.left);
    const int top = whole(rect.top);
    return {left, top, whole(rect.left + rect.width) - left, whole(rect.top + rect.height) - top};
}

PixelRect windowPlace(const TwipRect& window, DpiScale desktop, DpiScale own)
{
    const PixelRect size = own.whole(TwipRect{0, 0, window.width, window.height});
    return {desktop.whole(window.left), desktop.whole(window.top), size.width, size.height};
}

int DpiScale::fontPixels(double points) const
{
    return static_cast<int>(std::lround(points * dpi_ / 72));
}

}  // namespace tavlo
