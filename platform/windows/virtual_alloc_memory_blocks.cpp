#include "platform/windows/virtual_alloc_memory_blocks.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace tavlo {
namespace {

std::size_t pageSize()
{
    static const std::size_t size = [] {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        return static_cast<std::size_t>(info.dwPageSize);
    }();
    return size;
}

std::size_t wholePages(std::size_t bytes)
{
    return (bytes + pageSize() - 1) / pageSize() * pageSize();
}

// Commits [start, start + length) and writes a byte of every page, so that
// the system must find each page room now rather than at its first use.
bool commitAndTouch(unsigned char* start, std::size_t length)
{
    if (!VirtualAlloc(start, length, MEM_COMMIT, PAGE_READWRITE))
        return false;
    auto* bytes = reinterpret_cast<volatile unsigned char*>(start);
    for (std::size_t at = 0; at < length; at += pageSize())
        bytes[at] = 0;
    return true;
}

}  // namespace

bool VirtualAllocMemoryBlocks::reserve(std::uint64_t words, const std::function<void()>& meanwhile)
{
    // No machine holds half of the address space; the limit keeps the
    // arithmetic in whole pages within size_t.
    if (words > std::numeric_limits<std::size_t>::max() / 8) {
        release();
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(words) * 4;
    const auto figures = memory_.read();
    if (!roomFor(bytes > bytes_ ? bytes - bytes_ : 0, figures)) {
        release();
        return false;
    }

    const std::size_t pages = wholePages(bytes);
    if (pages < committed_) {
        // A smaller block gives back the pages it no longer needs.
        VirtualFree(static_cast<unsigned char*>(range_) + pages, committed_ - pages, MEM_DECOMMIT);
        committed_ = pages;
    }
    // A block that fits no more than the memory of the machine: the first
    // range reserved is that large, so that the block grows in place.
    const std::size_t machine = static_cast<std::size_t>(
        std::min<std::uint64_t>(figures->totalBytes, std::numeric_limits<std::size_t>::max() / 2));
    if (!commit(pages, std::max(pages, wholePages(machine)), meanwhile)) {
        release();
        return false;
    }
    bytes_ = bytes;
    return true;
}

bool VirtualAllocMemoryBlocks::commit(
    std::size_t pages, std::size_t rangeWanted, const std::function<void()>& meanwhile)
{
    void* range = range_;
    std::size_t from = committed_;
    if (pages > rangeBytes_) {
        // Beyond the range reserved: a larger one, to which the block moves.
        range = VirtualAlloc(nullptr, rangeWanted, MEM_RESERVE, PAGE_NOACCESS);
        if (!range && rangeWanted > pages) {
            rangeWanted = pages;
            range = VirtualAlloc(nullptr, rangeWanted, MEM_RESERVE, PAGE_NOACCESS);
        }
        if (!range)
            return false;
        from = 0;
    }
    auto* start = static_cast<unsigned char*>(range);
    // In slices of 64 MB, a few tens of milliseconds each.
    constexpr std::size_t kSlice = std::size_t{64} << 20;
    for (std::size_t at = from; at < pages; at += kSlice) {
        const std::size_t length = std::min(kSlice, pages - at);
        if (!commitAndTouch(start + at, length)) {
            if (range != range_)
                VirtualFree(range, 0, MEM_RELEASE);
            return false;
        }
        if (range != range_ && at < committed_)
            std::memcpy(start + at, static_cast<unsigned char*>(range_) + at, std::min(length, committed_ - at));
        if (meanwhile && at + kSlice < pages)
            meanwhile();
    }
    if (range != range_) {
        if (range_)
            VirtualFree(range_, 0, MEM_RELEASE);
        range_ = range;
        rangeBytes_ = rangeWanted;
    }
    committed_ = pages;
    return true;
}

void VirtualAllocMemoryBlocks::release()
{
    if (range_)
        VirtualFree(range_, 0, MEM_RELEASE);
    range_ = nullptr;
    rangeBytes_ = 0;
    committed_ = 0;
    bytes_ = 0;
}

}  // namespace tavlo
