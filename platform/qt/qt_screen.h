#pragma once

#include "platform/screen.h"

namespace tavlo {

class QtScreen final : public Screen {
public:
    TwipSize primarySize() const override;
    std::vector<TwipRect> screens() const override;
};

}  // namespace tavlo
