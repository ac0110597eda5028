#include "tools/memory_release.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "core/number_text.h"
#include "display/layout.h"

namespace tavlo {
namespace {

constexpr double kStepWidth = kFullBarWidth / 10;  // 259.5 twips

// The count of frmMClr's label Mc, a whole number, in 64 bits: 10 N words
// pass 32 bits on machines of about 29 GB.
std::uint64_t unitCount(const std::string& Mc)
{
    const double value = std::nearbyint(leadingNumberValue(Mc));
    return value > 0 && value < 1e18 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

void releaseMemory(const std::string& lblMClr, GadgetView& view, MainTimers& timers, MemoryBlocks& blocks,
    const std::function<void()>& letEventsRun)
{
    timers.TmrN.enabled = false;
    timers.TmrR.enabled = false;
    const std::uint64_t count = unitCount(lblMClr);
    view.lblDate.text = "メモリ開放中";

    // Indices 0 to N × k: one word more than the count.
    bool reserved = blocks.reserve(count + 1, letEventsRun);
    for (int k = 1; reserved && k <= 9; ++k) {
        view.RamT.width = kStepWidth * k;
        view.lblTime.text = std::to_string(k * 10) + "%";
        letEventsRun();
        reserved = blocks.reserve(count * static_cast<std::uint64_t>(k + 1) + 1, letEventsRun);
    }
    if (reserved) {
        view.RamT.width = kFullBarWidth;
        view.lblTime.text = "100%";
        letEventsRun();
        view.lblDate.text = "開放完了";
    }
    // Whether it ran through or stopped, the restart timer hands the display back.
    timers.TmrRS = {true, 1000};
    blocks.release(letEventsRun);
}

}  // namespace tavlo
