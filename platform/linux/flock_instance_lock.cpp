#include "platform/linux/flock_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavlo {

FlockInstanceLock::FlockInstanceLock(std::string base, uid_t user)
    : folder_(std::move(base) + "/tavlo-" + std::to_string(user)), user_(user)
{
}

bool FlockInstanceLock::anotherInstanceRunning()
{
    if (held_)
        return false;
    // Only the user can open a folder of mode 0700, so only the user's
    // processes can lock it. The lock is on the folder itself: there is no
    // file in it to be removed under a running gadget.
    ::mkdir(folder_.c_str(), 0700);
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!folder || ::fstat(folder.get(), &info) != 0 || info.st_uid != user_ || (info.st_mode & 022) != 0)
        return false;
    if (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK;
    held_ = std::move(folder);
    return false;
}

}  // namespace tavlo
