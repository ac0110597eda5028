// A day of running: 172,800 refresh ticks (500 ms each) of the real tick and
// repaint, with a clock that runs through the day and counters that swing
// through their whole range and past it. A warm-up runs the clock through a
// lunar month first, so that the caches that fill once (the 30 moon
// pictures, the glyphs) are full. Prints the heap in use and the resident
// size after the warm-up and at the end, and the slowest tick.
//
//   tavlo_soak [TICKS]

#include <QApplication>

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "shell/qt/gadget_session.h"
#include "shell/qt/gadget_window.h"
#include "tests/fakes/fake_services.h"

namespace {

using namespace tavlo;

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long heapBytes()
{
    return static_cast<long>(::mallinfo2().uordblks);
}

LocalDateTime at(std::time_t seconds)
{
    std::tm parts{};
    ::gmtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

// A wave through [low, high] with a period of `ticks`.
double swing(long tick, double low, double high, double ticks)
{
    return low + (high - low) * (0.5 + 0.5 * std::sin(2 * M_PI * static_cast<double>(tick) / ticks));
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long ticks = argc > 1 ? std::stol(argv[1]) : 172800;
    const long warmUp = 2000;

    testing::FakeServices fake;
    const std::time_t start = 1796601600;  // 2026-12-07 00:00:00
    fake.clock.moment = at(start);
    GadgetSession session(fake.services);
    session.load();
    MainWindow& form = session.mainWindow();

    long heapAfterWarmUp = 0;
    long residentAfterWarmUp = 0;
    double slowestMs = 0;
    for (long tick = 0; tick < warmUp + ticks; ++tick) {
        if (tick == warmUp) {
            ::malloc_trim(0);
            heapAfterWarmUp = heapBytes();
            residentAfterWarmUp = residentKilobytes();
        }
        // The warm-up's clock runs through the month before, in steps of
        // about 22 minutes; then the day runs in half seconds.
        const std::time_t month = 30L * 24 * 3600;
        fake.clock.moment = tick < warmUp ? at(start - month + tick * month / warmUp) : at(start + (tick - warmUp) / 2);
        // Past the ends of each range too: processor over 100 %, disk time
        // over 100 %, free space below 15 %, more available than stated.
        fake.counters.values
            = {{kFreeSpaceCounter, swing(tick, 0, 100, 7919)}, {kAvailableMemoryCounter, swing(tick, 0, 5000, 6007)},
                {kDiskTimeCounter, swing(tick, 0, 300, 1009)}, {kProcessorTimeCounter, swing(tick, -1, 101, 997)}};
        fake.memory.figures
            = MemoryFigures{std::uint64_t{24} << 30, static_cast<std::uint64_t>(swing(tick, 0, 24, 4001) * (1 << 30))};
        // The stated size comes and goes, as saves of the dialog would do.
        form.store.RTUl = (tick / 20000) % 2 ? "4096" : "";

        const auto before = std::chrono::steady_clock::now();
        if (form.store.RTUl.empty())
            form.TmrN_Timer();
        else
            form.TmrR_Timer();
        session.window().sync();
        QCoreApplication::processEvents();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
        if (tick >= warmUp && ms > slowestMs)
            slowestMs = ms;
    }
    ::malloc_trim(0);
    const long heapAtEnd = heapBytes();
    const long residentAtEnd = residentKilobytes();
    std::printf("ticks: %ld (%.1f hours of running)\n", ticks, static_cast<double>(ticks) / 7200);
    std::printf("heap in use: %ld bytes after warm-up, %ld at the end (%+.2f %%)\n", heapAfterWarmUp, heapAtEnd,
        100.0 * static_cast<double>(heapAtEnd - heapAfterWarmUp) / static_cast<double>(heapAfterWarmUp));
    std::printf("resident: %ld kB after warm-up, %ld kB at the end (%+.2f %%)\n", residentAfterWarmUp, residentAtEnd,
        100.0 * static_cast<double>(residentAtEnd - residentAfterWarmUp) / static_cast<double>(residentAfterWarmUp));
    std::printf("slowest tick with its repaint: %.3f ms\n", slowestMs);
    return 0;
}
