#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/url_cache.h"

namespace tavlo {

// The disk caches of the installed browsers under the user's cache folder:
// Firefox's cache2 entries and the Cache_Data of Chromium and Google Chrome,
// every profile. An entry is a file of such a folder; folders inside them
// are no entries. The folders are reached without following a link below
// the cache folder, and entries are deleted through their folder, so that
// nothing outside is ever deleted.
class BrowserCache final : public UrlCache {
public:
    explicit BrowserCache(std::string cacheHome);

    std::unique_ptr<UrlCacheWalk> findFirst(UrlCacheEntry& entry, int& error) override;

    // The cache folders present now, relative to the cache folder, in the
    // order of the walk.
    std::vector<std::string> folders() const;

private:
    std::string cacheHome_;
};

}  // namespace tavlo
