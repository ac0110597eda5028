#pragma once

#include <windows.h>

namespace tavlo {

// COM on the calling thread for the life of the object, in a
// single-threaded apartment, as the shell and its COM objects want it. A
// thread that already runs COM keeps it as it is: a start that succeeded
// (S_OK, or S_FALSE in a thread already single-threaded) is matched by one
// stop, a thread in another apartment (RPC_E_CHANGED_MODE) is left alone.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

}  // namespace tavlo
