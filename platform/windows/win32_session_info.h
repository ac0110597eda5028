#pragma once

#include "platform/session_info.h"

namespace tavlo {

// The user's logon name (GetUserNameW) and the current directory, in UTF-8.
class Win32SessionInfo final : public SessionInfo {
public:
    std::string userName() const override;
    std::string currentDirectory() const override;
    char separator() const override { return '\\'; }
};

}  // namespace tavlo
