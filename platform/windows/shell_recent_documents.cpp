#include "platform/windows/shell_recent_documents.h"

#include <windows.h>

#include <shlobj.h>

namespace tavlo {

IoStatus ShellRecentDocuments::clear()
{
    // No path clears the whole list.
    SHAddToRecentDocs(SHARD_PATHW, nullptr);
    return IoStatus::success();
}

}  // namespace tavlo
