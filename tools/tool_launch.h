#pragma once

#include <string_view>

#include "platform/launcher.h"
#include "platform/tool_programs.h"

namespace tavlo {

// Starts the first installed program of the tool that starts; false when
// none does.
bool launchTool(Tool tool, const ToolPrograms& programs, Launcher& launcher);

inline constexpr std::string_view kPropertiesFailedMessage = "表示に失敗しました";

}  // namespace tavlo
