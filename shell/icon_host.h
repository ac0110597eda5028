#pragma once

#include "platform/notification_host.h"

namespace tavlo {

// Whether only a new process can show the icon. Qt fixes the way to show
// icons, a StatusNotifierItem or an XEmbed tray, with the process's first
// icon (`fixed`; None before it). When that kind of host is gone and one of
// the other kind runs (a user who moves from a panel of one kind to one of
// the other), the icon would wait for ever.
bool needsNewProcess(NotificationHost fixed, bool statusNotifierHost, bool xembedTray);

}  // namespace tavlo
