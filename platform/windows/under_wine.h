#pragma once

namespace tavlo {

// True when the program runs under Wine rather than Windows, where a few
// system calls keep weaker promises than Windows' own.
bool runningUnderWine();

}  // namespace tavlo
