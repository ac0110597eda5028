#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/desktop_window.h"

namespace tavlo {
namespace {

// Qt's own X connection; none under another platform, where xcb calls
// would crash.
xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const std::string& name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

}  // namespace

bool compositorRunning()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    // Desktops run one X screen; Qt opens the gadget on screen 0.
    const xcb_atom_t selection = atom(connection, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void keepOffTaskbar(std::uintptr_t window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const std::vector<xcb_atom_t> hints{atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window), state, XCB_ATOM_ATOM,
        32, static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
}

}  // namespace tavlo
