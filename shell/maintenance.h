#pragma once

#include <functional>

#include "shell/main_window.h"
#include "shell/menu_entries.h"

namespace tavlo {

// Carries out a menu command that needs no window of its own: the tools,
// "最近使ったファイルの削除", "インターネット一時ファイルの削除" and
// "インターネット履歴の削除", each telling its result. False for every other
// command, which the shell carries out. The long clean-ups call
// `letEventsRun` every EventPacer::kEvery of their work, by `services.ticks`.
bool runMaintenance(MenuCommand command, Services& services, const std::function<void()>& letEventsRun = {});

// The clean-ups that may run long and let events run meanwhile: while one
// of them runs, none of them starts again.
bool runsLong(MenuCommand command);

}  // namespace tavlo
