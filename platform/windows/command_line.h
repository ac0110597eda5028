#pragma once

#include <string>
#include <vector>

namespace tavlo {

// The arguments as one parameter string that a program's start-up code
// (CommandLineToArgvW and the C runtime alike) splits back into the same
// arguments: one with a blank or a quote, or an empty one, is quoted, its
// quotes escaped, and the backslashes before a quote doubled.
std::string joinArguments(const std::vector<std::string>& arguments);

}  // namespace tavlo
