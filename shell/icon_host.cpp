#include "shell/icon_host.h"

namespace tavlo {

bool needsNewProcess(NotificationHost fixed, bool statusNotifierHost, bool xembedTray)
{
    switch (fixed) {
    case NotificationHost::StatusNotifierItem:
        return !statusNotifierHost && xembedTray;
    case NotificationHost::XEmbed:
        return !xembedTray && statusNotifierHost;
    case NotificationHost::None:
        break;
    }
    return false;
}

}  // namespace tavlo
