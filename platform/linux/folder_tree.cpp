#include "platform/linux/folder_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace tavlo {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

int removeFolder(int parent, dev_t volume, const std::string& name, const std::function<bool()>& carryOn);

int removeEntry(int parent, dev_t volume, const std::string& name, const std::function<bool()>& carryOn)
{
    if (::unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT)
        return carryOn() ? 0 : ECANCELED;
    if (errno != EISDIR && errno != EPERM)
        return errno;
    return removeFolder(parent, volume, name, carryOn);
}

int removeFolder(int parent, dev_t volume, const std::string& name, const std::function<bool()>& carryOn)
{
    // Reading and emptying a folder needs all three permissions.
    Descriptor folder = openFolderIn(parent, name.c_str());
    if (!folder && errno == EACCES && ::fchmodat(parent, name.c_str(), S_IRWXU, AT_SYMLINK_NOFOLLOW) == 0)
        folder = openFolderIn(parent, name.c_str());
    if (!folder)
        return errno;
    struct stat info {};
    if (::fstat(folder.get(), &info) != 0)
        return errno;
    if (info.st_dev != volume)
        return EXDEV;
    if ((info.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(folder.get(), info.st_mode | S_IRWXU);

    std::vector<std::string> names;
    int failure = listFolder(folder.get(), names);
    for (const std::string& inner : names) {
        const int error = removeEntry(folder.get(), volume, inner, carryOn);
        if (error == ECANCELED)
            return error;
        if (failure == 0)
            failure = error;
    }
    if (failure != 0)
        return failure;
    if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

}  // namespace

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

Descriptor openFolderIn(int parent, const char* name)
{
    return Descriptor(::openat(parent, name, kFolderFlags));
}

Descriptor openBelow(const std::string& base, const std::string& relative)
{
    Descriptor folder(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::istringstream parts(relative);
    std::string part;
    while (folder && std::getline(parts, part, '/')) {
        if (!part.empty())
            folder = openFolderIn(folder.get(), part.c_str());
    }
    return folder;
}

int removeTree(int parent, const std::string& name, const std::function<bool()>& carryOn)
{
    struct stat info {};
    if (::fstat(parent, &info) != 0)
        return errno;
    return removeEntry(parent, info.st_dev, name, carryOn);
}

}  // namespace tavlo
