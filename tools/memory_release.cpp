#include "tools/memory_release.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "core/number_text.h"
#include "display/layout.h"

namespace tavlo {
namespace {

constexpr double kStepWidth = kFullBarWidth / 10;  // 259.5 twips
constexpr int kSteps = 10;

// The count of frmMClr's label Mc, a whole number, in 64 bits: 10 N words
// pass 32 bits on machines of about 29 GB.
std::uint64_t unitCount(const std::string& Mc)
{
    const double value = std::nearbyint(leadingNumberValue(Mc));
    return value > 0 && value < 1e18 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

MemoryRelease::MemoryRelease(const std::string& lblMClr, GadgetView& view, MainTimers& timers, MemoryBlocks& blocks)
    : view_(view), timers_(timers), blocks_(blocks), count_(unitCount(lblMClr))
{
}

void MemoryRelease::begin()
{
    timers_.TmrN.enabled = false;
    timers_.TmrR.enabled = false;
    view_.lblDate.text = "メモリ開放中";
}

void MemoryRelease::work(JobControl& control)
{
    // Indices 0 to N × k: one word more than the count.
    bool reserved = blocks_.reserve(count_ + 1);
    for (int k = 1; reserved && k < kSteps && !control.stopRequested(); ++k) {
        step_ = k;
        control.showAndWait();
        reserved = blocks_.reserve(count_ * static_cast<std::uint64_t>(k + 1) + 1);
    }
    if (reserved && !control.stopRequested())
        step_ = kSteps;
    // Whether it ran through or stopped, the restart timer hands the display
    // back; the block goes after that.
    ended_ = true;
    control.showAndWait();
    blocks_.release();
}

void MemoryRelease::show()
{
    const int step = step_;
    if (step > 0) {
        view_.RamT.width = kStepWidth * step;
        view_.lblTime.text = std::to_string(step * 10) + "%";
    }
    if (!ended_ || handedBack_)
        return;
    handedBack_ = true;
    if (step == kSteps)
        view_.lblDate.text = "開放完了";
    timers_.TmrRS = {true, 1000};
}

}  // namespace tavlo
