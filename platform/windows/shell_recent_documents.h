#pragma once

#include "platform/recent_documents.h"

namespace tavlo {

// The shell's list of recent documents (the Recent folder and the jump
// lists), emptied through SHAddToRecentDocs, which tells nothing back.
class ShellRecentDocuments final : public RecentDocuments {
public:
    IoStatus clear() override;
};

}  // namespace tavlo
