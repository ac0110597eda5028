#pragma once

#include "platform/url_cache.h"

namespace tavlo {

// The system's cache of temporary Internet files, walked and emptied through
// WinINet. An entry is named by the URL it was fetched from.
class WinInetUrlCache final : public UrlCache {
public:
    std::unique_ptr<UrlCacheWalk> findFirst(UrlCacheEntry& entry, int& error) override;
};

}  // namespace tavlo
