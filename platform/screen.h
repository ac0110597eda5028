#pragma once

#include <vector>

namespace tavlo {

struct TwipSize {
    double width = 0;
    double height = 0;
};

// A rectangle in twips: a screen's on the desktop, an element's in a window.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in twips.
    virtual TwipSize primarySize() const = 0;
    // Every screen of the desktop, in twips of the whole desktop's space.
    virtual std::vector<TwipRect> screens() const = 0;
};

}  // namespace tavlo
