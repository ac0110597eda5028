#pragma once

#include "platform/tool_programs.h"

namespace tavlo {

// The system's own programs for each tool, one each, named as the shell
// finds them: most by name on its search path, the restore program by its
// place, the defragmenter by its console file's association, and the
// system's properties as the verb of the computer's shell object.
class WindowsToolPrograms final : public ToolPrograms {
public:
    std::vector<ToolProgram> candidates(Tool tool) const override;
    std::string directory() const override { return "c:\\"; }
};

}  // namespace tavlo
