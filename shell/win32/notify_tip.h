#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlo {

// The icon's tip as NOTIFYICONDATAW's szTip takes it: wide, its lines
// broken at LF (the logic's lines end in CR), and cut to `capacity` units
// with the terminating zero, never between the halves of a surrogate pair.
std::wstring notifyTipText(std::string_view tip, std::size_t capacity);

}  // namespace tavlo
