#pragma once

#include "platform/tool_programs.h"

namespace tavlo {

// The programs of the Linux desktops (GNOME, KDE Plasma, XFCE, MATE, LXQt)
// for each tool; the first one installed starts.
class DesktopToolPrograms final : public ToolPrograms {
public:
    std::vector<ToolProgram> candidates(Tool tool) const override;
    std::string directory() const override { return "/"; }
};

}  // namespace tavlo
