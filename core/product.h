#pragma once

namespace tavlo {

// The program's name: the window's and the message boxes' title, the icon's
// first tip.
inline constexpr const char* kProductName = "Tavlo";

}  // namespace tavlo
