#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/long_action.h"
#include "core/timers.h"
#include "display/gadget_view.h"
#include "platform/memory_blocks.h"

namespace tavlo {

// frmMClr's load handler as a long action: with the refresh timers stopped
// and the clock and RAM readouts borrowed as its progress, a block grows in
// ten steps to 10 N words (N = lblMClr, about 30 % of physical memory) and
// is given back; TmrRS then hands the display back. Each step's progress is
// shown before the next step begins.
class MemoryRelease final : public LongAction {
public:
    MemoryRelease(const std::string& lblMClr, GadgetView& view, MainTimers& timers, MemoryBlocks& blocks);

    void begin() override;
    void work(JobControl& control) override;
    void show() override;

private:
    GadgetView& view_;
    MainTimers& timers_;
    MemoryBlocks& blocks_;
    const std::uint64_t count_;
    // The step whose progress shows: 1 to 9 while the block grows, 10 when
    // it has grown to its full size.
    std::atomic<int> step_{0};
    // The block grew to the end, or a step failed: the display is handed back.
    std::atomic<bool> ended_{false};
    // TmrRS has been started (once: its tick stops it while the block is
    // still given back).
    bool handedBack_ = false;
};

}  // namespace tavlo
