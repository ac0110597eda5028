#pragma once

#include <string>
#include <vector>

namespace tavlo {

// Starts other programs, detached: no shell, no waiting.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Whether the program can be found on the search path.
    virtual bool installed(const std::string& program) const = 0;

    // Starts it in `workingDirectory`; false when it could not start.
    virtual bool start(
        const std::string& program, const std::vector<std::string>& arguments, const std::string& workingDirectory)
        = 0;
};

}  // namespace tavlo
