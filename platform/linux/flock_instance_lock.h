#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

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
    // The folder "tavlo-<user>" in the first of `bases` where it is, or can
    // be made, the user's own.
    FlockInstanceLock(std::vector<std::string> bases, uid_t user);

    // True when another process of the same user holds the lock. A folder of
    // that name that another user made first is passed over for the next
    // place; with none left the gadget runs unlocked rather than not at all.
    bool anotherInstanceRunning() override;

    // /tmp, which every session of the machine shares, then the user's
    // runtime folder, which only the system can make.
    static std::vector<std::string> defaultBases(uid_t user);

private:
    std::vector<std::string> bases_;
    uid_t user_;
    Descriptor held_;
};

}  // namespace tavlo
