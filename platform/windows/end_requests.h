#pragma once

#include <windows.h>

namespace tavlo {

// The console control handler that watchEndRequests registers while a
// watch lives. The system calls it on a thread of its own for Ctrl+C,
// Ctrl+Break, the console window closed, logoff and shutdown; it hands the
// request to the watches' threads and answers TRUE, or FALSE when no watch
// lives (the system then ends the program its default way).
BOOL WINAPI onConsoleControl(DWORD event);

}  // namespace tavlo
