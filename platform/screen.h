#pragma once

#include <vector>

#include "platform/geometry.h"

namespace tavlo {

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in twips.
    virtual TwipSize primarySize() const = 0;
    // Every screen of the desktop, in twips of the whole desktop's space.
    virtual std::vector<TwipRect> screens() const = 0;
};

}  // namespace tavlo
