#include "platform/linux/posix_file_store.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/linux/descriptor.h"
#include "platform/linux/folder_tree.h"

namespace tavlo {
namespace {

constexpr const char* kIsALink = "リンクになっています。";
constexpr const char* kOthersOwnIt = "ほかのユーザーが所有しています。";
constexpr const char* kOthersCanWrite = "ほかのユーザーも書き込めるフォルダです。";

IoStatus failure(int error)
{
    return IoStatus::failure(std::generic_category().message(error));
}

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// "/a/b/c" as "/a/b" and "c".
std::pair<std::string, std::string> split(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A group that only the user is in: Debian gives each user one of the same
// name, and makes new files writable by it.
bool privateGroupOfUser(gid_t group)
{
    const passwd* user = ::getpwuid(::geteuid());
    const ::group* entry = ::getgrgid(group);
    if (!user || !entry || user->pw_gid != group || std::strcmp(entry->gr_name, user->pw_name) != 0)
        return false;
    for (char** member = entry->gr_mem; *member; ++member) {
        if (std::strcmp(*member, user->pw_name) != 0)
            return false;
    }
    return true;
}

// Why the open folder may not be used, or nothing when it may.
const char* folderProblem(int folder)
{
    struct stat info {};
    if (::fstat(folder, &info) != 0)
        return nullptr;  // the operations on it will tell
    if (info.st_uid != ::geteuid())
        return kOthersOwnIt;
    if ((info.st_mode & S_IWOTH) || ((info.st_mode & S_IWGRP) && !privateGroupOfUser(info.st_gid)))
        return kOthersCanWrite;
    return nullptr;
}

// The folder that holds `path`, opened without following a link in its own
// name, once it is known to be safe to use.
IoStatus openFolderOf(const std::string& path, Descriptor& folder, std::string& name, bool* missing = nullptr)
{
    const auto [folderPath, fileName] = split(path);
    name = fileName;
    const auto [abovePath, folderName] = split(folderPath);
    const Descriptor above(::open(abovePath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!above) {
        if (missing)
            *missing = errno == ENOENT;
        return failure(errno);
    }
    folder = openFolderIn(above.get(), folderName.c_str());
    if (!folder) {
        const int error = errno;
        struct stat info {};
        if (::fstatat(above.get(), folderName.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
            return IoStatus::refused(kIsALink);
        if (missing)
            *missing = error == ENOENT;
        return failure(error);
    }
    if (const char* problem = folderProblem(folder.get()))
        return IoStatus::refused(problem);
    return IoStatus::success();
}

// What `name` in the open folder is: nothing yet, the user's file, or the
// user's own link (followed, as a set of dotfiles may link it on purpose).
enum class Entry { Missing, File, OwnLink };

IoStatus examine(int folder, const std::string& name, Entry& entry)
{
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return failure(errno);
        entry = Entry::Missing;
        return IoStatus::success();
    }
    if (info.st_uid != ::geteuid())
        return IoStatus::refused(kOthersOwnIt);
    entry = S_ISLNK(info.st_mode) ? Entry::OwnLink : Entry::File;
    return IoStatus::success();
}

// Opens `name` in the folder with `flags`, following it only when it is the
// user's own link; `missing` tells when it, or its folder, is not there.
IoStatus openEntry(const std::string& path, int flags, Descriptor& file, bool* missing = nullptr)
{
    Descriptor folder;
    std::string name;
    if (IoStatus status = openFolderOf(path, folder, name, missing); !status.ok)
        return status;
    Entry entry = Entry::Missing;
    if (IoStatus status = examine(folder.get(), name, entry); !status.ok)
        return status;
    if (entry == Entry::OwnLink)
        flags &= ~O_CREAT;
    else
        flags |= O_NOFOLLOW;
    file = Descriptor(::openat(folder.get(), name.c_str(), flags | O_CLOEXEC, 0666));
    if (!file) {
        if (missing)
            *missing = errno == ENOENT;
        return failure(errno);
    }
    return IoStatus::success();
}

std::string temporaryName(const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    return temporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Replaces `name` in the open folder through a temporary file beside it.
IoStatus replaceIn(int folder, const std::string& name, std::string_view content)
{
    const std::string temporary = temporaryName(name);
    Descriptor file(::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file)
        return failure(errno);

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const bool keepMode = ::fstatat(folder, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    const bool written = (!keepMode || ::fchmod(file.get(), old.st_mode & 07777) == 0) && writeAll(file.get(), content)
        && ::fsync(file.get()) == 0;
    const int writeError = errno;
    if (!written || file.close() != 0) {
        const int error = written ? errno : writeError;
        ::unlinkat(folder, temporary.c_str(), 0);
        return failure(error);
    }
    if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(folder, temporary.c_str(), 0);
        return failure(error);
    }
    // Make the rename itself durable.
    ::fsync(folder);
    return IoStatus::success();
}

// Temporary files of saves that a kill or a power cut interrupted.
void removeLeftovers(int folder, const std::string& name)
{
    std::vector<std::string> names;
    listFolder(folder, names);
    const std::string prefix = temporaryPrefix(name);
    for (const std::string& found : names) {
        struct stat info {};
        if (found.compare(0, prefix.size(), prefix) == 0
            && ::fstatat(folder, found.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
            && info.st_uid == ::geteuid())
            ::unlinkat(folder, found.c_str(), 0);
    }
}

}  // namespace

std::string temporaryPrefix(const std::string& name)
{
    return name + ".tmp-";
}

IoStatus PosixFileStore::ensureFolder(const std::string& path)
{
    const auto [abovePath, name] = split(path);
    const Descriptor above(::open(abovePath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!above)
        return failure(errno);
    struct stat info {};
    if (::fstatat(above.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (::mkdirat(above.get(), name.c_str(), 0755) != 0 && errno != EEXIST)
            return failure(errno);
    } else if (!S_ISDIR(info.st_mode) && !S_ISLNK(info.st_mode)) {
        return failure(ENOTDIR);
    }
    Descriptor folder;
    std::string unused;
    return openFolderOf(path + "/.", folder, unused);
}

IoStatus PosixFileStore::openOrCreate(const std::string& path, std::uint64_t& length)
{
    Descriptor file;
    if (IoStatus status = openEntry(path, O_RDONLY | O_CREAT, file); !status.ok)
        return status;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(errno);
    if (!S_ISREG(info.st_mode))
        return failure(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    length = static_cast<std::uint64_t>(info.st_size);

    Descriptor folder;
    std::string name;
    if (openFolderOf(path, folder, name).ok)
        removeLeftovers(folder.get(), name);
    return IoStatus::success();
}

void PosixFileStore::clearReadOnly(const std::string& path)
{
    Descriptor file;
    struct stat info {};
    if (openEntry(path, O_RDONLY, file).ok && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode)
        && !(info.st_mode & S_IWUSR))
        ::fchmod(file.get(), (info.st_mode & 07777) | S_IWUSR);
}

IoStatus PosixFileStore::read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes)
{
    bytes.clear();
    Descriptor file;
    bool missing = false;
    if (IoStatus status = openEntry(path, O_RDONLY, file, &missing); !status.ok)
        return missing ? IoStatus::success() : status;
    char buffer[4096];
    auto position = static_cast<off_t>(offset);
    while (bytes.size() < count) {
        const std::size_t wanted = std::min(sizeof buffer, count - bytes.size());
        const ssize_t n = ::pread(file.get(), buffer, wanted, position);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(errno);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        position += n;
    }
    return IoStatus::success();
}

IoStatus PosixFileStore::replace(const std::string& path, std::string_view content)
{
    Descriptor folder;
    std::string name;
    if (IoStatus status = openFolderOf(path, folder, name); !status.ok)
        return status;
    Entry entry = Entry::Missing;
    if (IoStatus status = examine(folder.get(), name, entry); !status.ok)
        return status;
    if (entry != Entry::OwnLink)
        return replaceIn(folder.get(), name, content);

    // The user's own link: the file it points to is replaced, in its folder.
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved))
        return failure(errno);
    const auto [targetFolder, targetName] = split(resolved);
    const Descriptor target(::open(targetFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!target)
        return failure(errno);
    return replaceIn(target.get(), targetName, content);
}

}  // namespace tavlo
