#include "shell/menu_entries.h"

#include <algorithm>
#include <utility>

namespace tavlo {
namespace {

constexpr std::array<std::pair<MenuCommand, Tool>, 7> kToolCommands{{
    {MenuCommand::cleanmgr, Tool::cleanmgr},
    {MenuCommand::tmgr, Tool::tmgr},
    {MenuCommand::CtPanel, Tool::CtPanel},
    {MenuCommand::rstrui, Tool::rstrui},
    {MenuCommand::msinfo, Tool::msinfo},
    {MenuCommand::dfrg, Tool::dfrg},
    {MenuCommand::SysIfo, Tool::SysIfo},
}};

}  // namespace

std::optional<Tool> toolOf(MenuCommand command)
{
    const auto* const found = std::find_if(
        kToolCommands.begin(), kToolCommands.end(), [command](const auto& row) { return row.first == command; });
    return found == kToolCommands.end() ? std::nullopt : std::optional<Tool>(found->second);
}

}  // namespace tavlo
