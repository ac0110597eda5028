#pragma once

#include <memory>

#include "core/long_action.h"
#include "shell/main_window.h"
#include "shell/menu_entries.h"
#include "tools/recycle_bin_action.h"

namespace tavlo {

// Carries out a menu command that needs no window of its own and ends at
// once: the tools and "最近使ったファイルの削除", each telling its result.
// False for every other command.
bool runMaintenance(MenuCommand command, Services& services);

// The actions that may run long: メモリ開放 and the clean-ups that ask first.
// One runs at a time, and their entries are greyed meanwhile.
bool runsLong(MenuCommand command);

// The long action of a command for which runsLong holds; `showBinProgress`
// shows the progress of emptying the bin.
std::unique_ptr<LongAction> makeLongAction(
    MenuCommand command, MainWindow& window, Services& services, EmptyRecycleBin::ShowProgress showBinProgress);

}  // namespace tavlo
