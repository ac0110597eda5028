#pragma once

#include <QFont>

#include "display/gadget_view.h"

namespace tavlo {

// Lets the settings keep the face name "ＭＳ Ｐゴシック" while an installed
// Japanese Gothic face draws it: IPAPGothic is made to its metrics.
void registerFontSubstitutes();

// The Qt font of a label. Sizes are in points at 96 dots per inch, the
// resolution the twip layout is made for, so they are set in pixels.
QFont labelFont(const FontSpec& spec, bool antialiased);

}  // namespace tavlo
