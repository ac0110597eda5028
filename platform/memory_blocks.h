#pragma once

#include <cstdint>

namespace tavlo {

// The block that the memory release grows: committed, zero-filled memory of
// 32-bit words, every page touched so that the system must find it room.
class MemoryBlocks {
public:
    virtual ~MemoryBlocks() = default;

    // Makes the block held one of `words` words (a block that grows keeps
    // what it held); false when the system cannot hold it (nothing is held
    // then).
    virtual bool reserve(std::uint64_t words) = 0;

    // Gives back the block held, if any.
    virtual void release() = 0;
};

}  // namespace tavlo
