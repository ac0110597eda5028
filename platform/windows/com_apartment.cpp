#include "platform/windows/com_apartment.h"

#include <objbase.h>

namespace tavlo {

// Without OLE 1's DDE, which nothing here uses and whose set-up the shell's
// callers are advised to spare.
ComApartment::ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}

ComApartment::~ComApartment()
{
    if (result_ == S_OK || result_ == S_FALSE)
        CoUninitialize();
}

}  // namespace tavlo
