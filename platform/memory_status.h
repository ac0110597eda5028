#pragma once

#include <cstdint>
#include <optional>

namespace tavlo {

// Physical memory in bytes, as 64-bit numbers.
struct MemoryFigures {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
    friend bool operator==(const MemoryFigures&, const MemoryFigures&) = default;
};

class MemoryStatus {
public:
    virtual ~MemoryStatus() = default;
    virtual std::optional<MemoryFigures> read() = 0;
};

}  // namespace tavlo
