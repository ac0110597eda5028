#include "platform/windows/under_wine.h"

#include <windows.h>

namespace tavlo {

bool runningUnderWine()
{
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

}  // namespace tavlo
