#pragma once

#include <windows.h>

#include <memory>

#include "platform/os_services.h"

namespace tavlo {

// The operating-system services of the gadget on Windows, with what the
// Win32 shell tells them beyond the common interface.
class WindowsServices : public OsServices {
public:
    // The window that the system's own dialogs of the services (the recycle
    // bin's question and progress) stand over.
    virtual void setOwnerWindow(HWND window) = 0;
};

std::unique_ptr<WindowsServices> makeWindowsServices();

}  // namespace tavlo
