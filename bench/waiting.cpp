// Where the user waits: "メモリ開放" at this machine's own default size, with
// the real blocks and memory figures. Prints the whole release's time, the
// longest time between two chances to repaint, and the peak; then, for
// comparison, the kernel's own time to commit the peak block in one call on
// one thread (the release commits on every core at once).
//
//   tavlo_waiting

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/linux/mmap_memory_blocks.h"
#include "platform/linux/proc_meminfo.h"
#include "shell/main_window.h"
#include "tests/fakes/fake_services.h"
#include "tools/memory_release.h"

namespace {

using namespace tavlo;
using Wall = std::chrono::steady_clock;

double msSince(Wall::time_point start)
{
    return std::chrono::duration<double, std::milli>(Wall::now() - start).count();
}

long peakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

}  // namespace

int main()
{
    testing::FakeServices fake;
    ProcMeminfo memory;
    MmapMemoryBlocks blocks(memory);
    const Services& base = fake.services;
    Services real{base.instance, base.session, memory, base.counters, base.files, base.codec, base.clock, base.screen,
        base.notifier, base.failures, blocks, base.launcher, base.toolPrograms, base.recentDocuments, base.recycleBin,
        base.urlCache, base.urlHistory};
    MainWindow form(real);
    form.Form_Load();

    const auto start = Wall::now();
    auto lastChance = start;
    double longestStall = 0;
    int chances = 0;
    releaseMemory(form.store.lblMClr, form.view, form.timers, blocks, [&] {
        longestStall = std::max(longestStall, msSince(lastChance));
        lastChance = Wall::now();
        ++chances;
    });
    longestStall = std::max(longestStall, msSince(lastChance));
    const double total = msSince(start);
    std::printf("memory release of N = %s words: %s, %.0f ms in all, %d chances to repaint, longest time without "
                "one %.0f ms, peak %ld MB\n",
        form.store.lblMClr.c_str(), form.view.lblDate.text.c_str(), total, chances, longestStall,
        peakKilobytes() / 1024);

    // The kernel committing the last step's block in one call on one thread,
    // freshly mapped: what a release on one core could not beat.
    const auto peakBytes = static_cast<std::size_t>((std::stoull(form.store.lblMClr) * 10 + 1) * 4);
    const auto floorStart = Wall::now();
    void* block = ::mmap(nullptr, peakBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool committed = block != MAP_FAILED && ::madvise(block, peakBytes, MADV_POPULATE_WRITE) == 0;
    const double floorMs = msSince(floorStart);
    if (block != MAP_FAILED)
        ::munmap(block, peakBytes);
    std::printf("the kernel committing the last block (%zu MB) in one call: %s%.0f ms\n", peakBytes >> 20,
        committed ? "" : "failed after ", floorMs);
    return 0;
}
