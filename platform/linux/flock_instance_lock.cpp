#include "platform/linux/flock_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tavlo {

FlockInstanceLock::FlockInstanceLock(std::string lockPath) : path_(std::move(lockPath)) {}

FlockInstanceLock::~FlockInstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FlockInstanceLock::anotherInstanceRunning()
{
    if (fd_ >= 0)
        return false;
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;  // No lock to be had: better to run twice than never.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    fd_ = fd;
    return false;
}

std::string FlockInstanceLock::defaultPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    return folder + "/tavlo-" + std::to_string(::getuid()) + ".lock";
}

}  // namespace tavlo
