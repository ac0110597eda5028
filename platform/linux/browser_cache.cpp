#include "platform/linux/browser_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
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

// True when a folder on the way to `relative` below `base` is a link.
bool throughALink(const std::string& base, const std::string& relative)
{
    Descriptor at(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::istringstream parts(relative);
    std::string part;
    while (at && std::getline(parts, part, '/')) {
        struct stat info {};
        if (::fstatat(at.get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (S_ISLNK(info.st_mode))
            return true;
        at = openFolderIn(at.get(), part.c_str());
    }
    return false;
}

class FolderWalk final : public UrlCacheWalk {
public:
    FolderWalk(std::string cacheHome, std::vector<std::string> folders)
        : cacheHome_(std::move(cacheHome)), folders_(std::move(folders))
    {
    }
    ~FolderWalk() override { closeFolder(); }
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    bool next(UrlCacheEntry& entry, int& error) override
    {
        while (true) {
            if (!stream_ && !openNextFolder(error))
                return false;
            if (!stream_)
                continue;
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
                current_ = found->d_name;
                entry.name = cacheHome_ + "/" + folders_[nextFolder_ - 1] + "/" + current_;
                return true;
            }
        }
    }

    bool remove(const UrlCacheEntry&, int& error) override
    {
        // Through the folder the walk holds open: a link goes as a link.
        if (stream_ && ::unlinkat(::dirfd(stream_), current_.c_str(), 0) == 0)
            return true;
        error = !stream_ ? kErrorFileNotFound : errno == EBUSY ? kErrorInUse : errno;
        return false;
    }

private:
    // Opens the next folder; a folder gone meanwhile (the browser renames
    // its cache away to purge it) holds nothing and leaves no stream.
    bool openNextFolder(int& error)
    {
        if (nextFolder_ == folders_.size()) {
            error = kErrorNoMoreItems;
            return false;
        }
        const std::string& relative = folders_[nextFolder_++];
        Descriptor folder = openBelow(cacheHome_, relative);
        if (!folder) {
            error = errno;
            // A folder reached through a link is not the browser's.
            return error == ENOENT || ((error == ELOOP || error == ENOTDIR) && throughALink(cacheHome_, relative));
        }
        stream_ = ::fdopendir(folder.get());
        if (!stream_) {
            error = errno;
            return false;
        }
        folder.release();
        return true;
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

    std::string cacheHome_;
    std::vector<std::string> folders_;
    std::size_t nextFolder_ = 0;
    DIR* stream_ = nullptr;
    std::string current_;
};

}  // namespace

BrowserCache::BrowserCache(std::string cacheHome) : cacheHome_(std::move(cacheHome)) {}

std::vector<std::string> BrowserCache::folders() const
{
    std::vector<std::string> result;
    for (const CacheLayout& layout : kCacheLayouts) {
        const Descriptor profiles = openBelow(cacheHome_, std::string(layout.profiles));
        std::vector<std::string> names;
        if (!profiles || listFolder(profiles.get(), names) != 0)
            continue;
        std::sort(names.begin(), names.end());
        // A cache folder that is there but cannot be read still counts: the
        // walk reports it, and skips one reached through a link.
        for (const std::string& profile : names) {
            const std::string entries = profile + "/" + std::string(layout.entries);
            struct stat info {};
            if (::fstatat(profiles.get(), entries.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
                result.push_back(std::string(layout.profiles) + "/" + entries);
        }
    }
    return result;
}

std::unique_ptr<UrlCacheWalk> BrowserCache::findFirst(UrlCacheEntry& entry, int& error)
{
    auto walk = std::make_unique<FolderWalk>(cacheHome_, folders());
    if (!walk->next(entry, error))
        return nullptr;
    return walk;
}

}  // namespace tavlo
