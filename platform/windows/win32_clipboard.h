#pragma once

#include <windows.h>

namespace tavlo {

// Empties the clipboard for `owner`. Another program may hold the clipboard
// open for a moment, so it is asked again for about 100 ms; false when it
// stayed held or could not be emptied.
bool emptyClipboard(HWND owner);

}  // namespace tavlo
