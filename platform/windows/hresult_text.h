#pragma once

#include <windows.h>

#include <string>

namespace tavlo {

// "0x80004001" and the system's own words for it, when it has any, so that
// a failure the user reports can be looked up.
std::string describeHresult(HRESULT result);

}  // namespace tavlo
