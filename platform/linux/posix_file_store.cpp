#include "platform/linux/posix_file_store.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/linux/descriptor.h"
#include "platform/linux/folder_tree.h"
#include "platform/place_refusals.h"

namespace tavlo {
namespace {

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
    if (!user || user->pw_gid != group)
        return false;
    const std::string name = user->pw_name;
    const ::group* entry = ::getgrgid(group);
    if (!entry || name != entry->gr_name)
        return false;
    for (char** member = entry->gr_mem; *member; ++member) {
        if (name != *member)
            return false;
    }
    // Nobody else has it as the primary group either.
    bool alone = true;
    ::setpwent();
    while (const passwd* other = ::getpwent()) {
        if (other->pw_gid == group && other->pw_uid != ::geteuid())
            alone = false;
    }
    ::endpwent();
    return alone;
}

// Why the open folder may not be used, or nothing when it may.
const char* folderProblem(int folder)
{
    struct stat info {};
    if (::fstat(folder, &info) != 0)
        return nullptr;  // the operations on it will tell
    if (info.st_uid != ::geteuid())
        return kOthersOwnIt;
    if (info.st_mode & S_IWOTH)
        return kOthersCanWrite;
    // With an access list the group bits are its mask: the list may let
    // other users write.
    if ((info.st_mode & S_IWGRP)
        && (::fgetxattr(folder, "system.posix_acl_access", nullptr, 0) >= 0 || !privateGroupOfUser(info.st_gid)))
        return kOthersCanWrite;
    return nullptr;
}

// Opens the folder `name` of the open folder `above`, through a link only
// when it is the user's own, and checks that it may be used.
IoStatus openTrustedFolder(int above, const std::string& name, Descriptor& folder, bool* missing)
{
    struct stat info {};
    const bool link = ::fstatat(above, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
    if (link && info.st_uid != ::geteuid())
        return IoStatus::refused(kIsALink);
    folder = Descriptor(::openat(above, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (link ? 0 : O_NOFOLLOW)));
    if (!folder) {
        if (missing)
            *missing = errno == ENOENT;
        return failure(errno);
    }
    if (const char* problem = folderProblem(folder.get()))
        return IoStatus::refused(problem);
    return IoStatus::success();
}

// The folder that holds `path`'s last part, opened and checked. The folders
// above it are taken as the path names them: the user chose where to start.
IoStatus openFolderOf(const std::string& path, Descriptor& folder, std::string& name, bool* missing = nullptr)
{
    const auto [folderPath, fileName] = split(path);
    name = fileName;
    const auto [abovePath, folderName] = split(folderPath);
    const Descriptor above(::open(abovePath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!above) {
        if (missing)
            *missing = errno == ENOENT;
        return failure(errno);
    }
    return openTrustedFolder(above.get(), folderName, folder, missing);
}

// Where a file is: a trusted folder and a name in it.
struct Place {
    Descriptor folder;
    std::string name;
};

// Checks what `name` in the trusted folder is: nothing yet, or the user's
// own regular file. The user's own link (a set of dotfiles may link the
// file on purpose) is followed once, to a name in a folder that is checked
// in turn.
IoStatus resolve(Descriptor folder, const std::string& name, Place& place, bool followLink = true)
{
    struct stat info {};
    if (::fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return failure(errno);
        place = {std::move(folder), name};
        return IoStatus::success();
    }
    if (info.st_uid != ::geteuid())
        return IoStatus::refused(S_ISLNK(info.st_mode) ? kIsALink : kOthersOwnIt);
    if (S_ISDIR(info.st_mode))
        return failure(EISDIR);
    if (!S_ISLNK(info.st_mode)) {
        if (!S_ISREG(info.st_mode))
            return IoStatus::refused(kNotAFile);
        place = {std::move(folder), name};
        return IoStatus::success();
    }
    if (!followLink)
        return IoStatus::refused(kLinkToALink);

    char buffer[PATH_MAX];
    const ssize_t length = ::readlinkat(folder.get(), name.c_str(), buffer, sizeof buffer - 1);
    if (length <= 0)
        return failure(errno);
    const std::string target(buffer, static_cast<std::size_t>(length));
    const auto slash = target.find_last_of('/');
    if (slash == std::string::npos)
        return resolve(std::move(folder), target, place, false);
    const std::string targetFolder = slash == 0 ? "/" : target.substr(0, slash);
    Descriptor next(::openat(folder.get(), targetFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!next)
        return failure(errno);
    if (const char* problem = folderProblem(next.get()))
        return IoStatus::refused(problem);
    return resolve(std::move(next), target.substr(slash + 1), place, false);
}

// The place of the file at `path`, ready to use; `missing` tells when the
// file, or its folder, is not there.
IoStatus placeOf(const std::string& path, Place& place, bool* missing = nullptr)
{
    Descriptor folder;
    std::string name;
    if (IoStatus status = openFolderOf(path, folder, name, missing); !status.ok)
        return status;
    return resolve(std::move(folder), name, place);
}

// Opens the file of the place with `flags`, never through a link, never
// waiting on a pipe, and only when it is the user's own regular file.
IoStatus openFile(const Place& place, int flags, Descriptor& file, bool* missing = nullptr)
{
    file = Descriptor(
        ::openat(place.folder.get(), place.name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!file) {
        if (missing)
            *missing = errno == ENOENT;
        return failure(errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(errno);
    if (!S_ISREG(info.st_mode))
        return failure(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    if (info.st_uid != ::geteuid())
        return IoStatus::refused(kOthersOwnIt);
    return IoStatus::success();
}

// The start of the name of a temporary file that a save of `name` writes.
std::string temporaryPrefix(const std::string& name)
{
    return name + ".tmp-";
}

std::string temporaryName(const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    return temporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// A name that temporaryName gave for `name`: the prefix, digits, "-", digits.
bool temporaryNameOf(const std::string& found, const std::string& name)
{
    const std::string prefix = temporaryPrefix(name);
    if (found.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string rest = found.substr(prefix.size());
    const auto dash = rest.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string::npos && digits(std::string_view(rest).substr(0, dash))
        && digits(std::string_view(rest).substr(dash + 1));
}

// Replaces the file of the place through a temporary file beside it.
IoStatus replaceIn(const Place& place, std::string_view content)
{
    const int folder = place.folder.get();
    const std::string temporary = temporaryName(place.name);
    Descriptor file(::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file)
        return failure(errno);

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const bool keepMode = ::fstatat(folder, place.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    const bool written = (!keepMode || ::fchmod(file.get(), old.st_mode & 07777) == 0) && writeAll(file.get(), content)
        && ::fsync(file.get()) == 0;
    const int writeError = errno;
    if (!written || file.close() != 0) {
        const int error = written ? errno : writeError;
        ::unlinkat(folder, temporary.c_str(), 0);
        return failure(error);
    }
    if (::renameat(folder, temporary.c_str(), folder, place.name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(folder, temporary.c_str(), 0);
        return failure(error);
    }
    // Make the rename itself durable.
    ::fsync(folder);
    return IoStatus::success();
}

// Temporary files of saves that a kill or a power cut interrupted.
void removeLeftovers(const Place& place)
{
    std::vector<std::string> names;
    listFolder(place.folder.get(), names);
    for (const std::string& found : names) {
        struct stat info {};
        if (temporaryNameOf(found, place.name)
            && ::fstatat(place.folder.get(), found.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
            && info.st_uid == ::geteuid())
            ::unlinkat(place.folder.get(), found.c_str(), 0);
    }
}

}  // namespace

IoStatus PosixFileStore::ensureFolder(const std::string& path)
{
    const auto [abovePath, name] = split(path);
    const Descriptor above(::open(abovePath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
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
    return openTrustedFolder(above.get(), name, folder, nullptr);
}

IoStatus PosixFileStore::openOrCreate(const std::string& path, std::uint64_t& length)
{
    Place place;
    Descriptor file;
    if (IoStatus status = placeOf(path, place); !status.ok)
        return status;
    if (IoStatus status = openFile(place, O_RDONLY | O_CREAT, file); !status.ok)
        return status;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(errno);
    length = static_cast<std::uint64_t>(info.st_size);
    removeLeftovers(place);
    return IoStatus::success();
}

void PosixFileStore::clearReadOnly(const std::string& path)
{
    Place place;
    Descriptor file;
    struct stat info {};
    if (placeOf(path, place).ok && openFile(place, O_RDONLY, file).ok && ::fstat(file.get(), &info) == 0
        && !(info.st_mode & S_IWUSR))
        ::fchmod(file.get(), (info.st_mode & 07777) | S_IWUSR);
}

IoStatus PosixFileStore::read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes)
{
    bytes.clear();
    Place place;
    Descriptor file;
    bool missing = false;
    if (IoStatus status = placeOf(path, place, &missing); !status.ok)
        return missing ? IoStatus::success() : status;
    if (IoStatus status = openFile(place, O_RDONLY, file, &missing); !status.ok)
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
    Place place;
    if (IoStatus status = placeOf(path, place); !status.ok)
        return status;
    return replaceIn(place, content);
}

}  // namespace tavlo
