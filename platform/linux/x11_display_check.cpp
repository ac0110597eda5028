#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

#include "platform/display_check.h"

namespace tavlo {
namespace {

bool x11PlatformChosen()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && std::string_view(platform).substr(0, 3) == "xcb";
}

}  // namespace

void prepareDisplayPlatform()
{
    ::setenv("QT_QPA_PLATFORM", "xcb", 0);
}

std::optional<std::string> displayProblem()
{
    if (!x11PlatformChosen())
        return std::nullopt;
    // Qt aborts when it cannot connect; ask first so that the user gets a
    // plain message and an exit status instead.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (!failed)
        return std::nullopt;
    const char* display = std::getenv("DISPLAY");
    return std::string("tavlo: cannot connect to the X display ")
        + (display && *display ? "\"" + std::string(display) + "\"" : std::string("(DISPLAY is not set)"))
        + "; start Tavlo inside a desktop session.";
}

}  // namespace tavlo
