#include "tools/tool_launch.h"

namespace tavlo {

bool launchTool(Tool tool, const ToolPrograms& programs, Launcher& launcher)
{
    for (const ToolProgram& candidate : programs.candidates(tool)) {
        if (launcher.installed(candidate.program) && launcher.start(candidate, programs.directory()))
            return true;
    }
    return false;
}

}  // namespace tavlo
