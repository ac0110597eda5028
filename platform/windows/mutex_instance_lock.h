#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace tavlo {

// A named mutex in the session's namespace ("Local\"), named after the
// user's security identifier, so that one gadget runs per user and session.
// The system drops it with the process, however it ends.
class MutexInstanceLock final : public InstanceLock {
public:
    MutexInstanceLock();
    explicit MutexInstanceLock(std::wstring name) : name_(std::move(name)) {}
    ~MutexInstanceLock() override;
    MutexInstanceLock(const MutexInstanceLock&) = delete;
    MutexInstanceLock& operator=(const MutexInstanceLock&) = delete;

    bool anotherInstanceRunning() override;

    // "Local\Tavlo-<the user's SID>" (the user name when the SID is unknown).
    static std::wstring userMutexName();

private:
    std::wstring name_;
    void* held_ = nullptr;
};

}  // namespace tavlo
