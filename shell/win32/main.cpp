// tavlo.exe: the gadget on Windows, a Win32 shell over the main window's logic.
#include <windows.h>

#include "core/failure_reporter.h"
#include "platform/windows/shell_launcher.h"
#include "platform/windows/win32_clock.h"
#include "platform/windows/win32_message_box_notifier.h"
#include "platform/windows/win32_screen.h"
#include "platform/windows/windows_services.h"
#include "shell/win32/gadget_shell.h"

namespace {

// Every monitor gets sharp pixels of its own scale rather than the system
// stretching a 96-DPI picture. Asked for by name: systems before Windows 10
// 1703 lack the call and keep the system DPI.
void becomeDpiAware()
{
    using SetContextFunction = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = user32 ? reinterpret_cast<SetContextFunction>(
                                reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                                   : nullptr;
    if (setContext)
        setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace tavlo;

    prepareProcess();
    becomeDpiAware();

    const std::unique_ptr<WindowsServices> system = makeWindowsServices();
    const Win32Clock clock;
    const Win32Screen screen;
    Win32MessageBoxNotifier notifier;
    FailureReporter failures(notifier);
    ShellLauncher launcher;
    Services services{system->instance(), system->session(), system->memory(), system->counters(), system->files(),
        system->codec(), clock, screen, notifier, failures, system->blocks(), launcher, system->toolPrograms(),
        system->recentDocuments(), system->recycleBin(), system->urlCache(), system->urlHistory()};

    GadgetShell shell(services, *system, DpiScale(systemDpi()));
    // Without a desktop to show a window on there is nothing to do.
    if (!shell.created())
        return 1;
    notifier.setOwner(shell.window());
    launcher.setOwner(shell.window());
    const auto endWatch = watchEndRequests([&shell] { shell.cmdClose(); });

    if (!shell.load())
        return 0;
    return shell.run();
}
