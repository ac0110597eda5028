#pragma once

#include "shell/main_window.h"
#include "shell/menu_entries.h"

namespace tavlo {

// Carries out a menu command that needs no window of its own: the tools,
// "最近使ったファイルの削除", "インターネット一時ファイルの削除" and
// "インターネット履歴の削除", each telling its result. False for every other
// command, which the shell carries out.
bool runMaintenance(MenuCommand command, Services& services);

}  // namespace tavlo
