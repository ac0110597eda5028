#pragma once

#include "platform/launcher.h"

namespace tavlo {

class QtLauncher final : public Launcher {
public:
    bool installed(const std::string& program) const override;
    bool start(const ToolProgram& program, const std::string& workingDirectory) override;
};

}  // namespace tavlo
