// Where the user waits: "メモリ開放" at this machine's own default size, with
// the real blocks and memory figures, its work on a thread of its own as in
// the gadget. Prints the whole release's time, the longest time a step's
// progress waited to be shown by a loop that turns every millisecond, and the
// peak; then, for comparison, the kernel's own time to commit the peak block
// in one call on one thread (the release commits on every core at once).
//
//   tavlo_waiting

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "core/long_actions.h"
#include "platform/linux/cgroup_memory.h"
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

// The user-interface thread's part: polled when woken, the wait noted.
struct LoopHost final : ActionHost {
    std::atomic<bool> woken{false};
    std::atomic<Wall::rep> wokenAt{0};
    void ask(const Question&) override {}
    void withdrawQuestion() override {}
    void tell(const std::string&) override {}
    void wake() override
    {
        wokenAt = Wall::now().time_since_epoch().count();
        woken = true;
    }
    void repaint() override {}
    void stateChanged(ActionState, bool) override {}
};

}  // namespace

int main()
{
    testing::FakeServices fake;
    ProcMeminfo memory = ProcMeminfo::everyRead();
    CgroupMemory limit;
    MmapMemoryBlocks blocks(memory, limit);
    const Services& base = fake.services;
    Services real{base.instance, base.session, memory, base.counters, base.files, base.codec, base.clock, base.screen,
        base.notifier, base.failures, blocks, base.launcher, base.toolPrograms, base.recentDocuments, base.recycleBin,
        base.urlCache, base.urlHistory};
    MainWindow form(real);
    form.Form_Load();

    LoopHost host;
    LongActions actions(host);
    const auto start = Wall::now();
    double longestWait = 0;
    int shown = 0;
    actions.start(std::make_unique<MemoryRelease>(form.store.lblMClr, form.view, form.timers, blocks));
    while (actions.state() != ActionState::Idle) {
        if (!host.woken.exchange(false)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const Wall::time_point wokenAt{Wall::duration(host.wokenAt.load())};
        longestWait = std::max(longestWait, std::chrono::duration<double, std::milli>(Wall::now() - wokenAt).count());
        actions.poll();
        ++shown;
    }
    const double total = msSince(start);
    std::printf("memory release of N = %s words: %s, %.0f ms in all, %d showings, longest wait to be shown "
                "%.1f ms, peak %ld MB\n",
        form.store.lblMClr.c_str(), form.view.lblDate.text.c_str(), total, shown, longestWait,
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
