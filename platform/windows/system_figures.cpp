#include "platform/windows/system_figures.h"

#include <windows.h>

#include <vector>

namespace tavlo {
namespace {

std::uint64_t ticksOf(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<ProcessorTicks> readProcessorTicks()
{
    FILETIME idle{}, kernel{}, user{};
    if (!GetSystemTimes(&idle, &kernel, &user))
        return std::nullopt;
    // The kernel time includes the idle time.
    return ProcessorTicks{ticksOf(idle), ticksOf(kernel) + ticksOf(user)};
}

std::optional<DriveSpace> readFixedDriveSpace()
{
    const DWORD size = GetLogicalDriveStringsW(0, nullptr);
    std::vector<wchar_t> roots(size + 1, L'\0');
    if (size == 0 || GetLogicalDriveStringsW(size, roots.data()) == 0)
        return std::nullopt;
    DriveSpace sum;
    // "C:\", "D:\", ... one after another, each ended by a null.
    for (const wchar_t* root = roots.data(); *root; root += wcslen(root) + 1) {
        // The disk's whole free space, as "% Free Space" counts it, not the
        // part that a quota leaves this user.
        ULARGE_INTEGER total{}, free{};
        if (GetDriveTypeW(root) == DRIVE_FIXED && GetDiskFreeSpaceExW(root, nullptr, &total, &free)) {
            sum.free += static_cast<double>(free.QuadPart);
            sum.total += static_cast<double>(total.QuadPart);
        }
    }
    if (sum.total <= 0)
        return std::nullopt;
    return sum;
}

std::optional<double> busyPercent(const ProcessorTicks& before, const ProcessorTicks& after)
{
    if (after.total <= before.total || after.idle < before.idle)
        return std::nullopt;
    const std::uint64_t total = after.total - before.total;
    const std::uint64_t idle = after.idle - before.idle;
    if (idle > total)
        return std::nullopt;
    return 100.0 * static_cast<double>(total - idle) / static_cast<double>(total);
}

}  // namespace tavlo
