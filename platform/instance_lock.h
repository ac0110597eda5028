#pragma once

namespace tavlo {

// One running gadget per logged-on user.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    // True when another process of the program runs for this user. The first
    // call that finds none takes the lock for the rest of this process's life;
    // later calls by the same process answer false.
    virtual bool anotherInstanceRunning() = 0;
};

}  // namespace tavlo
