#pragma once

namespace tavlo {

struct TwipSize {
    double width = 0;
    double height = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in twips.
    virtual TwipSize primarySize() const = 0;
};

}  // namespace tavlo
