#pragma once

#include <string>
#include <vector>

namespace tavlo {

// Replaces this process with a new run of the same program with the same
// arguments, keeping its number, so that whoever waits for it goes on
// waiting. Returns only when that fails, and then says why on standard
// error.
void startAgain(const std::vector<std::string>& arguments);

}  // namespace tavlo
