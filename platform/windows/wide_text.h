#pragma once

#include <string>
#include <string_view>

namespace tavlo {

// The program's UTF-8 and the wide text of Windows' own calls, so that
// paths and names outside any code page pass unharmed. A sequence that is
// not valid becomes U+FFFD.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

}  // namespace tavlo
