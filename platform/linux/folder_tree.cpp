#include "platform/linux/folder_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/descriptor.h"

namespace tavlo {

int listFolder(int folder, std::vector<std::string>& names)
{
    // The stream takes over a copy, so the caller keeps its descriptor.
    const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return errno;
    DIR* stream = ::fdopendir(copy);
    if (!stream) {
        const int error = errno;
        ::close(copy);
        return error;
    }
    int error = 0;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(stream);
        if (!entry) {
            error = errno;
            break;
        }
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(stream);
    return error;
}

int removeTree(int parent, const std::string& name)
{
    if (::unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT)
        return 0;
    if (errno != EISDIR && errno != EPERM)
        return errno;

    // A folder: opened without following a link, then emptied through its
    // own descriptor. Reading and emptying it needs all three permissions.
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    Descriptor folder(::openat(parent, name.c_str(), flags));
    if (!folder && errno == EACCES && ::fchmodat(parent, name.c_str(), S_IRWXU, AT_SYMLINK_NOFOLLOW) == 0)
        folder = Descriptor(::openat(parent, name.c_str(), flags));
    if (!folder)
        return errno;
    struct stat info {};
    if (::fstat(folder.get(), &info) == 0 && (info.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(folder.get(), info.st_mode | S_IRWXU);

    std::vector<std::string> names;
    int failure = listFolder(folder.get(), names);
    for (const std::string& inner : names) {
        const int error = removeTree(folder.get(), inner);
        if (failure == 0)
            failure = error;
    }
    if (failure != 0)
        return failure;
    if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

}  // namespace tavlo
