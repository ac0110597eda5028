#include "platform/linux/mmap_memory_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <limits>

namespace tavlo {

bool MmapMemoryBlocks::reserve(std::uint64_t words)
{
    release();
    if (words > std::numeric_limits<std::size_t>::max() / 4)
        return false;
    const std::size_t bytes = static_cast<std::size_t>(words) * 4;
    const auto figures = memory_.read();
    if (!figures)
        return false;
    const std::uint64_t margin = figures->totalBytes / 20;
    if (figures->availableBytes < margin || bytes > figures->availableBytes - margin)
        return false;

    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        return false;
    // Writing a word of every page makes the kernel commit it.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    auto* bytesOf = static_cast<volatile unsigned char*>(block);
    for (std::size_t at = 0; at < bytes; at += page)
        bytesOf[at] = 0;
    block_ = block;
    bytes_ = bytes;
    return true;
}

void MmapMemoryBlocks::release()
{
    if (block_)
        ::munmap(block_, bytes_);
    block_ = nullptr;
    bytes_ = 0;
}

}  // namespace tavlo
