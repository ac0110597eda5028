#include "platform/windows/windows_tool_programs.h"

namespace tavlo {

std::vector<ToolProgram> WindowsToolPrograms::candidates(Tool tool) const
{
    switch (tool) {
    case Tool::cleanmgr:
        return {{"cleanmgr.exe"}};
    case Tool::tmgr:
        return {{"taskmgr.exe"}};
    case Tool::CtPanel:
        return {{"control.exe"}};
    case Tool::rstrui:
        // Not on the search path: it lives in a folder of its own.
        return {{"C:\\Windows\\System32\\restore\\rstrui.exe"}};
    case Tool::msinfo:
        return {{"msinfo32.exe"}};
    case Tool::dfrg:
        return {{"dfrg.msc"}};
    case Tool::SysIfo:
        // "My Computer"; its "properties" verb opens the system's properties.
        return {{"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", {}, "properties"}};
    }
    return {};
}

}  // namespace tavlo
