#pragma once

#include <windows.h>

#include "platform/launcher.h"

namespace tavlo {

// Starts programs and shell objects through the shell, as Explorer's Run
// box does: it finds names on its search path, opens documents by their
// file association, and carries out an object's verb. Any failure shows no
// dialog of the shell's own; the caller tells the user.
class ShellLauncher final : public Launcher {
public:
    // The shell resolves every name by itself, so none is ruled out ahead.
    bool installed(const std::string&) const override { return true; }
    bool start(const ToolProgram& program, const std::string& workingDirectory) override;

    // The window that owns whatever the shell shows (none by default).
    void setOwner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

}  // namespace tavlo
