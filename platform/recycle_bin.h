#pragma once

#include <cstddef>
#include <functional>

#include "platform/file_store.h"

namespace tavlo {

// The user's recycle bin, across every drive or volume that has one.
class RecycleBin {
public:
    // Told after each item how many of how many are gone; false stops.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    virtual ~RecycleBin() = default;

    // The items the user sees in the bin.
    virtual std::size_t itemCount() = 0;

    // True where the system itself asks before emptying and shows the
    // progress (Windows); the program then neither asks nor reports.
    virtual bool asksItself() const { return false; }

    // Deletes every item for good. Items that cannot be deleted are passed
    // over; the failure names the first of them and the system's reason.
    virtual IoStatus empty(const Progress& progress) = 0;
};

}  // namespace tavlo
