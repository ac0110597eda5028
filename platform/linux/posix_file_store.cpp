#include "platform/linux/posix_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

#include "platform/linux/descriptor.h"

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

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names, through any symbolic links; the path itself when
// nothing exists there yet.
std::string resolvedTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

std::string temporaryName(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

IoStatus PosixFileStore::ensureFolder(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? IoStatus::success() : failure(ENOTDIR);
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        return failure(errno);
    return IoStatus::success();
}

IoStatus PosixFileStore::openOrCreate(const std::string& path, std::uint64_t& length)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return failure(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(errno);
    if (!S_ISREG(info.st_mode))
        return failure(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    length = static_cast<std::uint64_t>(info.st_size);
    return IoStatus::success();
}

void PosixFileStore::clearReadOnly(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
}

IoStatus PosixFileStore::read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes)
{
    bytes.clear();
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT ? IoStatus::success() : failure(errno);
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
    const std::string target = resolvedTarget(path);
    const std::string temporary = temporaryName(target);

    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return failure(errno);

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const bool keepMode = ::stat(target.c_str(), &old) == 0;
    const bool written = (!keepMode || ::fchmod(file.get(), old.st_mode & 07777) == 0) && writeAll(file.get(), content)
        && ::fsync(file.get()) == 0;
    const int writeError = errno;
    if (!written || file.close() != 0) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return failure(error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failure(error);
    }
    // Make the rename itself durable.
    Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return IoStatus::success();
}

}  // namespace tavlo
