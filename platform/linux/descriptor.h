#pragma once

#include <unistd.h>

#include <utility>

namespace tavlo {

// A file descriptor, closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

    // Hands the descriptor over to whoever closes it from now on.
    int release() { return std::exchange(fd_, -1); }

    // Closes now, so that a failing close can be reported.
    int close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

}  // namespace tavlo
