#include "platform/windows/wininet_url_cache.h"

#include <windows.h>

#include <wininet.h>

#include <cstdint>
#include <vector>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

// Room for one entry: its fixed part followed by the texts it points at.
// Most entries fit the first size; a longer one grows it to what the system
// asks for, so that a long URL does not stop the walk.
class EntryBuffer {
public:
    INTERNET_CACHE_ENTRY_INFOW* info() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(words_.data()); }
    DWORD size() const { return static_cast<DWORD>(words_.size() * sizeof(std::uint64_t)); }

    // Calls `read(info, size)` again in a larger buffer for as long as the
    // buffer is too small and the system asks for more than it holds.
    template <typename Read> bool fill(Read read)
    {
        for (;;) {
            DWORD asked = size();
            if (read(info(), &asked))
                return true;
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || asked <= size())
                return false;
            words_.resize((asked + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
        }
    }

    std::string sourceUrl() { return info()->lpszSourceUrlName ? toUtf8(info()->lpszSourceUrlName) : std::string(); }

private:
    // 64-bit words keep the pointers of the fixed part aligned.
    std::vector<std::uint64_t> words_ = std::vector<std::uint64_t>(2048 / sizeof(std::uint64_t));
};

int lastError()
{
    return static_cast<int>(GetLastError());
}

class WinInetUrlCacheWalk final : public UrlCacheWalk {
public:
    WinInetUrlCacheWalk(HANDLE find, EntryBuffer buffer) : find_(find), buffer_(std::move(buffer)) {}
    ~WinInetUrlCacheWalk() override { FindCloseUrlCache(find_); }
    WinInetUrlCacheWalk(const WinInetUrlCacheWalk&) = delete;
    WinInetUrlCacheWalk& operator=(const WinInetUrlCacheWalk&) = delete;

    bool next(UrlCacheEntry& entry, int& error) override
    {
        if (!buffer_.fill([this](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
                return FindNextUrlCacheEntryW(find_, info, size) != FALSE;
            })) {
            error = lastError();
            return false;
        }
        entry.name = buffer_.sourceUrl();
        return true;
    }

    bool remove(const UrlCacheEntry& entry, int& error) override
    {
        if (DeleteUrlCacheEntryW(toWide(entry.name).c_str()))
            return true;
        error = lastError();
        // WinINet refuses an entry that a browser holds open as access denied.
        if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
            error = kErrorInUse;
        return false;
    }

private:
    HANDLE find_;
    EntryBuffer buffer_;
};

}  // namespace

std::unique_ptr<UrlCacheWalk> WinInetUrlCache::findFirst(UrlCacheEntry& entry, int& error)
{
    EntryBuffer buffer;
    HANDLE find = nullptr;
    if (!buffer.fill([&find](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
            find = FindFirstUrlCacheEntryW(nullptr, info, size);
            return find != nullptr;
        })) {
        error = lastError();
        return nullptr;
    }
    entry.name = buffer.sourceUrl();
    return std::make_unique<WinInetUrlCacheWalk>(find, std::move(buffer));
}

}  // namespace tavlo
