#pragma once

#include <QColor>

#include "display/gadget_view.h"

namespace tavlo {

// A 0x00BBGGRR value as a Qt colour; only the low 24 bits are the colour.
inline QColor toQColor(Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    return {
        static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF), static_cast<int>((value >> 16) & 0xFF)};
}

}  // namespace tavlo
