#pragma once

#include "platform/memory_status.h"

namespace tavlo {

// Physical memory through GlobalMemoryStatusEx, whose 64-bit figures hold
// machines of any size (GlobalMemoryStatus stops at 4 GB).
class Win32MemoryStatus final : public MemoryStatus {
public:
    std::optional<MemoryFigures> read() override;
};

}  // namespace tavlo
