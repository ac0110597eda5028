#pragma once

#include "platform/recycle_bin.h"

namespace tavlo {

class UserNotifier;

// The click handler of the menu window's hidden button cmdRBinEmp: asks,
// then empties the bin with progress (or lets a system that asks by itself
// do both). An empty bin, or the answer "いいえ", ends silently.
void cmdRBinEmp_Click(RecycleBin& bin, UserNotifier& notifier, const RecycleBin::Progress& progress);

}  // namespace tavlo
