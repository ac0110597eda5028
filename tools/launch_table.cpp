#include "tools/launch_table.h"

#include <algorithm>

#include "platform/launcher.h"

namespace tavlo {

const std::vector<LaunchRow>& launchTable()
{
    static const std::vector<LaunchRow> table{
        {"cleanmgr", {{"bleachbit", {}}, {"baobab", {}}}},
        {"tmgr",
            {{"gnome-system-monitor", {}}, {"plasma-systemmonitor", {}}, {"ksysguard", {}}, {"xfce4-taskmanager", {}},
                {"mate-system-monitor", {}}, {"lxtask", {}}}},
        {"CtPanel",
            {{"gnome-control-center", {}}, {"systemsettings", {}}, {"xfce4-settings-manager", {}},
                {"mate-control-center", {}}, {"lxqt-config", {}}}},
        {"rstrui", {{"timeshift-launcher", {}}}},
        {"msinfo", {{"hardinfo", {}}, {"kinfocenter", {}}}},
        {"dfrg", {{"gnome-disks", {}}, {"partitionmanager", {}}}},
        {"SysIfo", {{"gnome-control-center", {"info-overview"}}, {"kinfocenter", {}}, {"xfce4-about", {}}}},
    };
    return table;
}

bool launchTool(std::string_view entry, Launcher& launcher)
{
    const auto& table = launchTable();
    const auto row = std::find_if(table.begin(), table.end(), [entry](const LaunchRow& r) { return r.entry == entry; });
    if (row == table.end())
        return false;
    for (const LaunchCandidate& candidate : row->candidates) {
        if (launcher.installed(candidate.program)
            && launcher.start(candidate.program, candidate.arguments, std::string(kToolDirectory)))
            return true;
    }
    return false;
}

}  // namespace tavlo
