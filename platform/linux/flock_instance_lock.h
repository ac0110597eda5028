#pragma once

#include <sys/types.h>

#include <string>

#include "platform/instance_lock.h"
#include "platform/linux/descriptor.h"

namespace tavlo {

// An advisory lock on a folder of the user's own, named after the user id
// and found in the same place by every start of that user, whatever its
// environment (a su shell, a sudo session). The kernel drops the lock with
// the process, however it ends, so a killed gadget never blocks the next
// start.
class FlockInstanceLock final : public InstanceLock {
public:
    // The folder "tavlo-<user>" in `base`.
    FlockInstanceLock(std::string base, uid_t user);

    // True when another process of the same user holds the lock. A folder of
    // that name that is not the user's own, or that others can write, is not
    // trusted: another user could hold it, so it is not used, and the gadget
    // runs unlocked rather than not at all.
    bool anotherInstanceRunning() override;

    // /tmp/tavlo-<uid> of the real user: /tmp is the one folder that every
    // session of the machine shares.
    static std::string defaultBase() { return "/tmp"; }

private:
    std::string folder_;
    uid_t user_;
    Descriptor held_;
};

}  // namespace tavlo
