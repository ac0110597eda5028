// Where the user waits: "メモリ開放" at this machine's own default size, with
// the real blocks and memory figures. Prints the whole release's time, the
// longest time between two chances to repaint (a step), and the peak.
//
//   tavlo_waiting

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "core/frm_dtmn.h"
#include "platform/linux/mmap_memory_blocks.h"
#include "platform/linux/proc_meminfo.h"
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
    Services services = fake.services;
    Services real{services.instance, services.session, memory, services.counters, services.files, services.codec,
        services.clock, services.screen, services.notifier, services.failures, blocks, services.launcher,
        services.recentDocuments, services.recycleBin, services.urlCache, services.urlHistory};
    FrmDTMn form(real);
    form.Form_Load();

    const auto start = Wall::now();
    auto lastChance = start;
    double longestStep = 0;
    int steps = 0;
    releaseMemory(form, blocks, [&] {
        longestStep = std::max(longestStep, msSince(lastChance));
        lastChance = Wall::now();
        ++steps;
    });
    longestStep = std::max(longestStep, msSince(lastChance));
    const double total = msSince(start);
    std::printf(
        "memory release of N = %s words: %s after %d steps, %.0f ms in all, longest step %.0f ms, peak %ld MB\n",
        form.store.lblMClr.c_str(), form.view.lblDate.text.c_str(), steps, total, longestStep, peakKilobytes() / 1024);
    return 0;
}
