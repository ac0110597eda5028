#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// What the gadget's one maintenance command does: "tavlo-autostart on|off"
// writes or removes the user's XDG autostart entry for the gadget, so that
// the desktop starts it at login; the gadget itself takes no arguments.
struct AutostartRequest {
    enum class Action { On, Off, Help, Version, Error } action = Action::Error;
    std::string error;  // Error: what was wrong
};

AutostartRequest parseAutostartArguments(const std::vector<std::string>& arguments);

// The autostart copy of the desktop entry: the program named by its absolute
// path, since a login session may not search the folder it was built in.
std::string autostartEntry(std::string_view desktopEntry, const std::string& program);

// Carries the request out on the entry `entryPath`, telling what it did on
// `out` and what went wrong on `err`; the exit status (0, 1 failed, 2 usage).
int runAutostart(const std::vector<std::string>& arguments, const std::string& entryPath, std::string_view desktopEntry,
    const std::string& program, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kAutostartUsage = "Usage: tavlo-autostart on|off\n"
                                                    "Starts Tavlo when you log in (on), or no longer (off).\n"
                                                    "\n"
                                                    "  --help     show this help and exit\n"
                                                    "  --version  show the version and exit\n";

}  // namespace tavlo
