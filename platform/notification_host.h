#pragma once

namespace tavlo {

// True when the desktop's notification area is a StatusNotifierItem host:
// it shows an icon's menu itself, from the copy that the program exports,
// and reports no right click of its own. Asked once; the answer holds for
// the life of the process, as it does for Qt's choice of the icon's way.
bool statusNotifierHostRegistered();

}  // namespace tavlo
