// tavlo-autostart on|off: the gadget at login, or not.
#include <filesystem>
#include <iostream>

#include "platform/linux/desktop_entry.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/linux/xdg_folders.h"

int main(int argc, char* argv[])
{
    // The gadget lies beside this command, installed or built.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string program = error ? "tavlo" : (self.parent_path() / "tavlo").string();
    return tavlo::runAutostart(std::vector<std::string>(argv + 1, argv + argc),
        tavlo::xdgConfigHome() + "/autostart/tavlo.desktop", tavlo::kDesktopEntry, program, std::cout, std::cerr);
}
