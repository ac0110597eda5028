#include "platform/linux/flock_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavlo {

FlockInstanceLock::FlockInstanceLock(std::vector<std::string> bases, uid_t user) : bases_(std::move(bases)), user_(user)
{
}

std::vector<std::string> FlockInstanceLock::defaultBases(uid_t user)
{
    return {"/tmp", "/run/user/" + std::to_string(user)};
}

bool FlockInstanceLock::anotherInstanceRunning()
{
    if (held_)
        return false;
    for (const std::string& base : bases_) {
        const std::string path = base + "/tavlo-" + std::to_string(user_);
        ::mkdir(path.c_str(), 0700);
        Descriptor folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (!folder || ::fstat(folder.get(), &info) != 0 || info.st_uid != user_)
            continue;
        // Only the owner can open a folder of mode 0700, so only the user's
        // processes can lock it. The lock is on the folder itself: there is
        // no file in it to be removed under a running gadget.
        if ((info.st_mode & 077) != 0 && ::fchmod(folder.get(), 0700) != 0)
            continue;
        if (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0)
            return errno == EWOULDBLOCK;
        held_ = std::move(folder);
        return false;
    }
    return false;
}

}  // namespace tavlo
