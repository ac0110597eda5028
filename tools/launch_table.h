#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class Launcher;

// A program that stands in for a Windows tool, with its arguments.
struct LaunchCandidate {
    std::string program;
    std::vector<std::string> arguments;
};

// A menu entry and the programs tried for it, in order.
struct LaunchRow {
    std::string_view entry;
    std::vector<LaunchCandidate> candidates;
};

// The launch table of this platform: the six tools and "システムのプロパティ"
// (SysIfo).
const std::vector<LaunchRow>& launchTable();

// Where every tool starts, as the original starts them at the root of the
// system drive.
inline constexpr std::string_view kToolDirectory = "/";

// Starts the first installed candidate of the entry's row that starts; false
// when none does.
bool launchTool(std::string_view entry, Launcher& launcher);

inline constexpr std::string_view kPropertiesFailedMessage = "表示に失敗しました";

}  // namespace tavlo
