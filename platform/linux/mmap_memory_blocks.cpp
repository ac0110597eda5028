#include "platform/linux/mmap_memory_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavlo {
namespace {

// Committed and given back in slices of 64 MB, a few tens of milliseconds
// each: the whole block at once would hold the caller for a second.
constexpr std::size_t kSlice = std::size_t{64} << 20;

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

bool MmapMemoryBlocks::reserve(std::uint64_t words, const std::function<void()>& meanwhile)
{
    if (words > std::numeric_limits<std::size_t>::max() / 4) {
        release();
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(words) * 4;
    if (!roomFor(bytes > bytes_ ? bytes - bytes_ : 0, memory_.read())) {
        release();
        return false;
    }

    // The block grows in place of a fresh one: what it holds stays
    // committed, and only the new part is committed, in one call. Huge pages
    // are not asked for: once the free ones run out, the kernel compacts
    // memory for them on every fault, and a step took seconds.
    void* block = block_ ? ::mremap(block_, bytes_, bytes, MREMAP_MAYMOVE)
                         : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        release();
        return false;
    }
    for (std::size_t at = bytes_; at < bytes; at += kSlice) {
        commit(static_cast<unsigned char*>(block) + at, std::min(kSlice, bytes - at));
        if (meanwhile && at + kSlice < bytes)
            meanwhile();
    }
    block_ = block;
    bytes_ = bytes;
    return true;
}

void MmapMemoryBlocks::release(const std::function<void()>& meanwhile)
{
    // From the end, so that what is left stays one mapping; the first slice
    // may be partial, the others are whole pages.
    auto* start = static_cast<unsigned char*>(block_);
    for (std::size_t end = bytes_; block_ && end > 0;) {
        const std::size_t from = end > kSlice ? (end - 1) / kSlice * kSlice : 0;
        ::munmap(start + from, end - from);
        end = from;
        if (meanwhile && end > 0)
            meanwhile();
    }
    block_ = nullptr;
    bytes_ = 0;
}

}  // namespace tavlo
