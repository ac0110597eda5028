#include "platform/linux/desktop_tool_programs.h"

namespace tavlo {

std::vector<ToolProgram> DesktopToolPrograms::candidates(Tool tool) const
{
    switch (tool) {
    case Tool::cleanmgr:
        return {{"bleachbit", {}}, {"baobab", {}}};
    case Tool::tmgr:
        return {{"gnome-system-monitor", {}}, {"plasma-systemmonitor", {}}, {"ksysguard", {}},
            {"xfce4-taskmanager", {}}, {"mate-system-monitor", {}}, {"lxtask", {}}};
    case Tool::CtPanel:
        return {{"gnome-control-center", {}}, {"systemsettings", {}}, {"xfce4-settings-manager", {}},
            {"mate-control-center", {}}, {"lxqt-config", {}}};
    case Tool::rstrui:
        return {{"timeshift-launcher", {}}};
    case Tool::msinfo:
        return {{"hardinfo", {}}, {"kinfocenter", {}}};
    case Tool::dfrg:
        return {{"gnome-disks", {}}, {"partitionmanager", {}}};
    case Tool::SysIfo:
        return {{"gnome-control-center", {"info-overview"}}, {"kinfocenter", {}}, {"xfce4-about", {}}};
    }
    return {};
}

}  // namespace tavlo
