// tavlo.exe: the gadget on Windows, a Win32 shell over the main window's logic.
#include <windows.h>

#include "core/failure_reporter.h"
#include "platform/windows/shell_launcher.h"
#include "platform/windows/win32_clock.h"
#include "platform/windows/win32_message_box_notifier.h"
#include "platform/windows/win32_screen.h"
#include "platform/windows/windows_services.h"
#include "shell/win32/gadget_shell.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace tavlo;

    prepareProcess();

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
