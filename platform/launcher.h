#pragma once

#include <string>

#include "platform/tool_programs.h"

namespace tavlo {

// Starts other programs, detached: no shell, no waiting.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Whether the program can be found on the search path (or the system's
    // shell resolves it by itself).
    virtual bool installed(const std::string& program) const = 0;

    // Starts it in `workingDirectory`; false when it could not start.
    virtual bool start(const ToolProgram& program, const std::string& workingDirectory) = 0;
};

}  // namespace tavlo
