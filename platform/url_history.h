#pragma once

#include <functional>

#include "platform/file_store.h"

namespace tavlo {

// The history of the pages the user's browsers visited.
class UrlHistory {
public:
    virtual ~UrlHistory() = default;

    // Finds the history to clear; the failure tells why there is none.
    virtual IoStatus open() = 0;

    // Removes visits and typed or searched addresses, and nothing else;
    // the failure names each history that could not be changed. `keepGoing`
    // is asked every few milliseconds of the work, where it can be: false
    // leaves each history not yet cleared as it was.
    virtual IoStatus ClearHistory(const std::function<bool()>& keepGoing) = 0;
};

}  // namespace tavlo
