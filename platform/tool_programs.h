#pragma once

#include <string>
#include <vector>

namespace tavlo {

// The maintenance tools of the menu, named as the menu names their entries.
enum class Tool { cleanmgr, tmgr, CtPanel, rstrui, msinfo, dfrg, SysIfo };

// A program that stands in for a tool, with its arguments.
struct ToolProgram {
    std::string program;
    std::vector<std::string> arguments;
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
