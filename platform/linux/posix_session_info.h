#pragma once

#include "platform/session_info.h"

namespace tavlo {

class PosixSessionInfo final : public SessionInfo {
public:
    std::string userName() const override;
    std::string currentDirectory() const override;
    char separator() const override { return '/'; }
};

}  // namespace tavlo
