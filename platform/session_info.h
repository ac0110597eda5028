#pragma once

#include <string>

namespace tavlo {

class SessionInfo {
public:
    virtual ~SessionInfo() = default;

    // The login name of the user; never empty (a stand-in when unknown).
    virtual std::string userName() const = 0;

    // The current directory, without a trailing separator except at the root.
    virtual std::string currentDirectory() const = 0;

    // The folder separator of the platform.
    virtual char separator() const = 0;
};

}  // namespace tavlo
