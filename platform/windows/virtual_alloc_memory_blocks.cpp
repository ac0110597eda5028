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

bool VirtualAllocMemoryBlocks::reserve(std::uint64_t words)
{
    const std::lock_guard lock(mutex_);
    // No machine holds half of the address space; the limit keeps the
    // arithmetic in whole pages within size_t.
    if (words > std::numeric_limits<std::size_t>::max() / 8) {
        releaseHeld();
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(words) * 4;
    const auto figures = memory_.read();
    if (!roomFor(bytes > bytes_ ? bytes - bytes_ : 0, figures)) {
        releaseHeld();
        return false;
    }

    const std::size_t pages = wholePages(bytes);
    if (bytes < bytes_) {
        // A smaller block gives back the pages it no longer needs, and clears
        // the rest of its last page, so that a later growth reads zeros there.
        if (pages < committed_) {
            VirtualFree(static_cast<unsigned char*>(range_) + pages, committed_ - pages, MEM_DECOMMIT);
            committed_ = pages;
        }
        std::memset(static_cast<unsigned char*>(range_) + bytes, 0, std::min(bytes_, pages) - bytes);
    }
    // The range reserved first is as large as the machine's memory, so the
    // block always grows in place: the room rule refuses anything larger.
    if (!range_ && pages > 0) {
        const std::size_t machine = wholePages(static_cast<std::size_t>(
            std::min<std::uint64_t>(figures->totalBytes, std::numeric_limits<std::size_t>::max() / 2)));
        range_ = VirtualAlloc(nullptr, machine, MEM_RESERVE, PAGE_NOACCESS);
        rangeBytes_ = range_ ? machine : 0;
    }
    if (pages > rangeBytes_ || !commit(pages)) {
        releaseHeld();
        return false;
    }
    bytes_ = bytes;
    return true;
}

bool VirtualAllocMemoryBlocks::commit(std::size_t pages)
{
    auto* start = static_cast<unsigned char*>(range_);
    if (!commitInSlices(committed_, pages,
            [start](std::size_t at, std::size_t length) { return commitAndTouch(start + at, length); }))
        return false;
    committed_ = std::max(committed_, pages);
    return true;
}

void VirtualAllocMemoryBlocks::release()
{
    const std::lock_guard lock(mutex_);
    releaseHeld();
}

void VirtualAllocMemoryBlocks::releaseHeld()
{
    // Releasing the range gives back its committed pages with it.
    if (range_)
        VirtualFree(range_, 0, MEM_RELEASE);
    range_ = nullptr;
    rangeBytes_ = 0;
    committed_ = 0;
    bytes_ = 0;
}

}  // namespace tavlo
