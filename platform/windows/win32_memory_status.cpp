#include "platform/windows/win32_memory_status.h"

#include <windows.h>

namespace tavlo {

std::optional<MemoryFigures> Win32MemoryStatus::read()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return MemoryFigures{status.ullTotalPhys, status.ullAvailPhys};
}

}  // namespace tavlo
