#include "platform/linux/browser_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/linux/descriptor.h"
#include "platform/linux/folder_tree.h"

namespace tavlo {
namespace {

// Where each browser keeps its profiles under the cache folder, and where a
// profile keeps its cache entries.
struct CacheLayout {
    std::string_view profiles;
    std::string_view entries;
};
constexpr CacheLayout kCacheLayouts[] = {
    {"mozilla/firefox", "cache2/entries"},
    {"chromium", "Cache/Cache_Data"},
    {"google-chrome", "Cache/Cache_Data"},
};

class FolderWalk final : public UrlCacheWalk {
public:
    explicit FolderWalk(std::vector<std::string> folders) : folders_(std::move(folders)) {}
    ~FolderWalk() override { closeFolder(); }
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    bool next(UrlCacheEntry& entry, int& error) override
    {
        while (true) {
            if (!stream_ && !openNextFolder(error))
                return false;
            errno = 0;
            const dirent* found = ::readdir(stream_);
            if (!found) {
                error = errno;
                closeFolder();
                if (error != 0)
                    return false;
                continue;
            }
            if (isEntry(*found)) {
                entry.name = folders_[nextFolder_ - 1] + "/" + found->d_name;
                return true;
            }
        }
    }

private:
    bool openNextFolder(int& error)
    {
        if (nextFolder_ == folders_.size()) {
            error = kErrorNoMoreItems;
            return false;
        }
        stream_ = ::opendir(folders_[nextFolder_++].c_str());
        if (!stream_)
            error = errno;
        return stream_ != nullptr;
    }

    void closeFolder()
    {
        if (stream_)
            ::closedir(stream_);
        stream_ = nullptr;
    }

    bool isEntry(const dirent& found) const
    {
        if (std::strcmp(found.d_name, ".") == 0 || std::strcmp(found.d_name, "..") == 0)
            return false;
        if (found.d_type != DT_UNKNOWN)
            return found.d_type != DT_DIR;
        struct stat info {};
        return ::fstatat(::dirfd(stream_), found.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode);
    }

    std::vector<std::string> folders_;
    std::size_t nextFolder_ = 0;
    DIR* stream_ = nullptr;
};

}  // namespace

BrowserCache::BrowserCache(std::string cacheHome) : cacheHome_(std::move(cacheHome)) {}

std::vector<std::string> BrowserCache::folders() const
{
    std::vector<std::string> result;
    for (const CacheLayout& layout : kCacheLayouts) {
        const std::string profiles = cacheHome_ + "/" + std::string(layout.profiles);
        const Descriptor folder(::open(profiles.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        std::vector<std::string> names;
        if (!folder || listFolder(folder.get(), names) != 0)
            continue;
        std::sort(names.begin(), names.end());
        // A cache folder that is there but cannot be read still counts: the
        // walk reports it.
        for (const std::string& profile : names) {
            const std::string entries = profiles + "/" + profile + "/" + std::string(layout.entries);
            struct stat info {};
            if (::lstat(entries.c_str(), &info) == 0)
                result.push_back(entries);
        }
    }
    return result;
}

std::unique_ptr<UrlCacheWalk> BrowserCache::findFirst(UrlCacheEntry& entry, int& error)
{
    auto walk = std::make_unique<FolderWalk>(folders());
    if (!walk->next(entry, error))
        return nullptr;
    return walk;
}

bool BrowserCache::remove(const UrlCacheEntry& entry, int& error)
{
    // The name came from the walk, inside a cache folder; a link goes as a link.
    if (::unlink(entry.name.c_str()) == 0)
        return true;
    error = errno;
    return false;
}

}  // namespace tavlo
