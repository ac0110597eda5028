#include "platform/linux/kept_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace tavlo {

KeptFile::KeptFile(std::string path) : path_(std::move(path)) {}

KeptFile::~KeptFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<std::string> KeptFile::read()
{
    if (fd_ < 0)
        fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, static_cast<off_t>(text.size()));
        if (n < 0) {
            // Reopen next time: the file may have been replaced.
            ::close(fd_);
            fd_ = -1;
            return std::nullopt;
        }
        if (n == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace tavlo
