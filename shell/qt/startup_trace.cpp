#include "shell/qt/startup_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavlo {
namespace {

// The peak resident size in kB, where /proc tells it; -1 elsewhere.
long peakResidentKb()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            kb = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kb;
}

}  // namespace

void traceStartup(const char* step)
{
    static const bool on = std::getenv("TAVLO_TRACE_STARTUP") != nullptr;
    if (!on)
        return;
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point first = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - first).count();
    std::fprintf(
        stderr, "tavlo start-up %8.2f ms %7.1f MB  %s\n", ms, static_cast<double>(peakResidentKb()) / 1024, step);
}

}  // namespace tavlo
