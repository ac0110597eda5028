#include "shell/maintenance.h"

#include <string>

#include "core/event_pacer.h"
#include "tools/internet_cleanup.h"
#include "tools/tool_launch.h"

namespace tavlo {

bool runsLong(MenuCommand command)
{
    return command == MenuCommand::Emp || command == MenuCommand::TIFDel || command == MenuCommand::DelIHstry;
}

bool runMaintenance(MenuCommand command, Services& services, const std::function<void()>& letEventsRun)
{
    EventPacer pacer(services.ticks, letEventsRun);
    const auto between = [&pacer] { pacer.step(); };
    switch (command) {
    case MenuCommand::SysIfo:
        if (!launchTool(Tool::SysIfo, services.toolPrograms, services.launcher))
            services.notifier.showMessage(std::string(kPropertiesFailedMessage));
        return true;
    case MenuCommand::FleDel: {
        const IoStatus status = services.recentDocuments.clear();
        services.notifier.showMessage(status.ok ? "削除しました。" : "削除できませんでした。\r" + status.reason);
        return true;
    }
    case MenuCommand::TIFDel:
        TIFDel_Click(services.urlCache, services.notifier, between);
        return true;
    case MenuCommand::DelIHstry:
        DelIHstry_Click(services.urlHistory, services.notifier, between);
        return true;
    default:
        break;
    }
    // The other tools start without a word when none of their programs is installed.
    if (const auto tool = toolOf(command)) {
        launchTool(*tool, services.toolPrograms, services.launcher);
        return true;
    }
    return false;
}

}  // namespace tavlo
