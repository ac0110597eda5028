#pragma once

#include <windows.h>

#include <string>

namespace tavlo {

// The system's own words for an error code, in UTF-8 without a trailing
// line break; "error <code>" when it has none.
std::string systemReason(unsigned long error);

// "0x80004001" and the system's own words for it, when it has any, so that
// a failure the user reports can be looked up.
std::string describeHresult(HRESULT result);

}  // namespace tavlo
