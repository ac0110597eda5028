#include "shell/maintenance.h"

#include <string>
#include <utility>

#include "tools/internet_cleanup.h"
#include "tools/memory_release.h"
#include "tools/tool_launch.h"

namespace tavlo {

bool runsLong(MenuCommand command)
{
    return command == MenuCommand::MemClr || command == MenuCommand::Emp || command == MenuCommand::TIFDel
        || command == MenuCommand::DelIHstry;
}

std::unique_ptr<LongAction> makeLongAction(
    MenuCommand command, MainWindow& window, Services& services, EmptyRecycleBin::ShowProgress showBinProgress)
{
    switch (command) {
    case MenuCommand::MemClr:
        return std::make_unique<MemoryRelease>(window.store.lblMClr, window.view, window.timers, services.blocks);
    case MenuCommand::Emp:
        return std::make_unique<EmptyRecycleBin>(services.recycleBin, std::move(showBinProgress));
    case MenuCommand::TIFDel:
        return std::make_unique<DeleteCache>(services.urlCache);
    case MenuCommand::DelIHstry:
        return std::make_unique<ClearHistory>(services.urlHistory);
    default:
        return nullptr;
    }
}

bool runMaintenance(MenuCommand command, Services& services)
{
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
