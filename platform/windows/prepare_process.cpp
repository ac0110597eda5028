#include <windows.h>

#include "platform/os_services.h"

namespace tavlo {

// Free space is summed over every drive: a card reader or an optical drive
// without a medium must answer with an error, not a system dialog asking
// for a disk. No other system dialog suits a gadget either.
void prepareProcess()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

}  // namespace tavlo
