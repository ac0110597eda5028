#include "platform/linux/posix_session_info.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace tavlo {

std::string PosixSessionInfo::userName() const
{
    // The account of the process's user id; the login name of the terminal
    // may belong to someone else after su.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name
        && *found->pw_name)
        return found->pw_name;
    if (const char* name = std::getenv("USER"); name && *name && std::string(name).find('/') == std::string::npos)
        return name;
    return std::to_string(::geteuid());
}

std::string PosixSessionInfo::currentDirectory() const
{
    std::error_code error;
    std::string path = std::filesystem::current_path(error).string();
    if (error || path.empty())
        return ".";
    return path;
}

}  // namespace tavlo
