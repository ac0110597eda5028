#pragma once

#include <memory>
#include <string>

namespace tavlo {

// Error codes of the cache walk, numbered as on Windows; any other code is
// the system's own error number.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorNoMoreItems = 259;
// An entry that another program holds open: passed over without a word.
inline constexpr int kErrorInUse = 32;

// An entry of the browsers' cache, named as the cache names it.
struct UrlCacheEntry {
    std::string name;
};

// A walk over the cache, entry by entry.
class UrlCacheWalk {
public:
    virtual ~UrlCacheWalk() = default;

    // The following entry; false with `error` set, kErrorNoMoreItems at the end.
    virtual bool next(UrlCacheEntry& entry, int& error) = 0;

    // Deletes the entry the walk stands on; false with `error` set
    // (kErrorFileNotFound when it is already gone, kErrorInUse when another
    // program holds it).
    virtual bool remove(const UrlCacheEntry& entry, int& error) = 0;
};

// The cache of temporary Internet files.
class UrlCache {
public:
    virtual ~UrlCache() = default;

    // Starts a walk at the first entry; nothing, with `error` set, when it
    // cannot start (kErrorNoMoreItems when the cache is empty).
    virtual std::unique_ptr<UrlCacheWalk> findFirst(UrlCacheEntry& entry, int& error) = 0;
};

}  // namespace tavlo
