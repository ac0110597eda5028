#pragma once

#include <windows.h>

#include <string>

namespace tavlo::testing {

// Holds a named mutex of the Wine prefix for the life of the object, so
// that test programs run side by side take turns on what the whole system
// shares (the URL cache, the clipboard, the recycle bin).
class SystemStateLock {
public:
    explicit SystemStateLock(const std::wstring& what)
        : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\tavlo-test-" + what).c_str()))
    {
        // An owner that died still hands the mutex on.
        if (mutex_)
            WaitForSingleObject(mutex_, INFINITE);
    }
    ~SystemStateLock()
    {
        if (mutex_) {
            ReleaseMutex(mutex_);
            CloseHandle(mutex_);
        }
    }
    SystemStateLock(const SystemStateLock&) = delete;
    SystemStateLock& operator=(const SystemStateLock&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace tavlo::testing
