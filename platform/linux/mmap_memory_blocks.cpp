#include "platform/linux/mmap_memory_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavlo {
namespace {

std::uintptr_t pageSize()
{
    static const auto size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

// Makes the kernel commit [start, start + length): asked for at once where
// the kernel can (5.14 on), else by writing a word of every page. Those
// writes need no checking by the address sanitizer, whose bookkeeping would
// itself take an eighth of the block.
__attribute__((no_sanitize_address)) void commit(const unsigned char* start, std::size_t length)
{
    const auto first = reinterpret_cast<std::uintptr_t>(start) & ~(pageSize() - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(start) + length;
    if (::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0)
        return;
    auto* bytes = reinterpret_cast<volatile unsigned char*>(first);
    for (std::uintptr_t at = 0; first + at < end; at += pageSize())
        bytes[at] = 0;
}

}  // namespace

bool MmapMemoryBlocks::roomFor(std::size_t moreBytes)
{
    if (!tavlo::roomFor(moreBytes, memory_.read()))
        return false;
    const auto limit = limit_.read();
    return !limit || tavlo::roomFor(moreBytes, limit);
}

bool MmapMemoryBlocks::reserve(std::uint64_t words)
{
    const std::lock_guard lock(mutex_);
    if (words > std::numeric_limits<std::size_t>::max() / 4) {
        releaseHeld();
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(words) * 4;
    if (!roomFor(bytes > bytes_ ? bytes - bytes_ : 0)) {
        releaseHeld();
        return false;
    }

    // The block grows in place of a fresh one: what it holds stays
    // committed, and only the new part is committed. Huge pages are not asked
    // for: where the host backs a virtual machine's memory at its first
    // touch, they made the release several times slower.
    void* block = block_ ? ::mremap(block_, bytes_, bytes, MREMAP_MAYMOVE)
                         : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        releaseHeld();
        return false;
    }
    auto* start = static_cast<unsigned char*>(block);
    commitInSlices(bytes_, bytes, [start](std::size_t at, std::size_t length) {
        commit(start + at, length);
        return true;
    });
    block_ = block;
    bytes_ = bytes;
    return true;
}

void MmapMemoryBlocks::release()
{
    const std::lock_guard lock(mutex_);
    releaseHeld();
}

void MmapMemoryBlocks::releaseHeld()
{
    if (block_)
        ::munmap(block_, bytes_);
    block_ = nullptr;
    bytes_ = 0;
}

}  // namespace tavlo
