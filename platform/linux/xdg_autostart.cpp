#include "platform/linux/xdg_autostart.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tavlo {

AutostartRequest parseAutostartArguments(const std::vector<std::string>& arguments)
{
    using Action = AutostartRequest::Action;
    if (arguments.size() != 1)
        return {Action::Error, arguments.empty() ? "on or off is missing" : "one argument is expected"};
    const std::string& word = arguments.front();
    if (word == "on")
        return {Action::On, {}};
    if (word == "off")
        return {Action::Off, {}};
    if (word == "--help")
        return {Action::Help, {}};
    if (word == "--version")
        return {Action::Version, {}};
    return {Action::Error, "unknown argument \"" + word + "\""};
}

std::string autostartEntry(std::string_view desktopEntry, const std::string& program)
{
    std::istringstream lines{std::string(desktopEntry)};
    std::string entry;
    for (std::string line; std::getline(lines, line);)
        entry += (line.rfind("Exec=", 0) == 0 ? "Exec=" + program : line) + "\n";
    return entry;
}

int runAutostart(const std::vector<std::string>& arguments, const std::string& entryPath, std::string_view desktopEntry,
    const std::string& program, std::ostream& out, std::ostream& err)
{
    namespace fs = std::filesystem;
    const AutostartRequest request = parseAutostartArguments(arguments);
    switch (request.action) {
    case AutostartRequest::Action::Help:
        out << kAutostartUsage;
        return 0;
    case AutostartRequest::Action::Version:
        out << "tavlo-autostart " << TAVLO_VERSION << "\n";
        return 0;
    case AutostartRequest::Action::Error:
        err << "tavlo-autostart: " << request.error << "\n" << kAutostartUsage;
        return 2;
    case AutostartRequest::Action::Off: {
        std::error_code error;
        if (!fs::remove(entryPath, error) && error) {
            err << "tavlo-autostart: " << entryPath << ": " << error.message() << "\n";
            return 1;
        }
        out << "Removed " << entryPath << "\n";
        return 0;
    }
    case AutostartRequest::Action::On:
        break;
    }
    std::error_code error;
    fs::create_directories(fs::path(entryPath).parent_path(), error);
    // Written beside the entry and renamed over it, so that a login never
    // meets half an entry.
    const std::string temporary = entryPath + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << autostartEntry(desktopEntry, program);
        if (!file.flush()) {
            err << "tavlo-autostart: " << temporary << ": " << std::strerror(errno) << "\n";
            fs::remove(temporary, error);
            return 1;
        }
    }
    fs::rename(temporary, entryPath, error);
    if (error) {
        err << "tavlo-autostart: " << entryPath << ": " << error.message() << "\n";
        fs::remove(temporary, error);
        return 1;
    }
    out << "Wrote " << entryPath << "\n";
    return 0;
}

}  // namespace tavlo
