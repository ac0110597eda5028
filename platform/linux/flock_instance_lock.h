#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace tavlo {

// An advisory lock on a file named after the user id. The kernel drops the
// lock with the process, however it ends, so a killed gadget never blocks
// the next start.
class FlockInstanceLock final : public InstanceLock {
public:
    explicit FlockInstanceLock(std::string lockPath);
    ~FlockInstanceLock() override;

    FlockInstanceLock(const FlockInstanceLock&) = delete;
    FlockInstanceLock& operator=(const FlockInstanceLock&) = delete;

    bool anotherInstanceRunning() override;

    // $XDG_RUNTIME_DIR/tavlo-<uid>.lock, or /tmp/tavlo-<uid>.lock without it.
    static std::string defaultPath();

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace tavlo
