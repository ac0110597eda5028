#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavlo {

// The maintenance tools of the menu, named as the menu names their entries.
enum class Tool { cleanmgr, tmgr, CtPanel, rstrui, msinfo, dfrg, SysIfo };

// A program that stands in for a tool, with its arguments; or, with a
// verb, a shell object to open that way (the properties of the computer).
struct ToolProgram {
    ToolProgram(std::string file, std::vector<std::string> words = {}, std::string shellVerb = {})
        : program(std::move(file)), arguments(std::move(words)), verb(std::move(shellVerb))
    {
    }

    std::string program;
    std::vector<std::string> arguments;
    std::string verb;
};

// The programs that stand for the tools on this operating system.
class ToolPrograms {
public:
    virtual ~ToolPrograms() = default;
    // The programs tried for a tool, in order.
    virtual std::vector<ToolProgram> candidates(Tool tool) const = 0;
    // Where every tool starts: the root of the system drive.
    virtual std::string directory() const = 0;
};

}  // namespace tavlo
