#pragma once

#include <string>

#include "platform/file_store.h"
#include "platform/recent_documents.h"

namespace tavlo {

// $XDG_DATA_HOME/recently-used.xbel, replaced by a valid empty list, and the
// entries of KDE's $XDG_DATA_HOME/RecentDocuments.
class XdgRecentDocuments final : public RecentDocuments {
public:
    XdgRecentDocuments(FileStore& files, std::string dataHome);

    IoStatus clear() override;

private:
    FileStore& files_;
    std::string dataHome_;
};

// A recently-used.xbel without bookmarks, as the desktop writes it.
extern const char* const kEmptyRecentList;

}  // namespace tavlo
