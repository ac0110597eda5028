#pragma once

#include "platform/file_store.h"

namespace tavlo {

// The desktop's list of recently used documents.
class RecentDocuments {
public:
    virtual ~RecentDocuments() = default;

    // Empties the list; the failure names the path and the system's reason.
    virtual IoStatus clear() = 0;
};

}  // namespace tavlo
