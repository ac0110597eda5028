#include "platform/linux/xdg_folders.h"

#include <cstdlib>

namespace tavlo {
namespace {

std::string baseFolder(const char* variable, const char* underHome)
{
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    return homeFolder() + underHome;
}

}  // namespace

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

std::string xdgDataHome()
{
    return baseFolder("XDG_DATA_HOME", "/.local/share");
}

std::string xdgConfigHome()
{
    return baseFolder("XDG_CONFIG_HOME", "/.config");
}

std::string xdgCacheHome()
{
    return baseFolder("XDG_CACHE_HOME", "/.cache");
}

}  // namespace tavlo
