#include "platform/windows/pdh_counter_source.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/windows/win32_memory_status.h"

namespace tavlo {
namespace {

// A sample is taken at the first read of each second of the clock, at least
// half a second after the last one: the readouts then change on the same
// refresh tick as the clock's seconds.
constexpr double kShortestPeriod = 0.5;
constexpr double kLongestPeriod = 1.5;
// While no rate is known, a second sample this soon after the first gives
// the first readouts.
constexpr double kFirstRatePeriod = 0.25;

const wchar_t* const kEnglishPaths[] = {
    L"\\LogicalDisk(_Total)\\% Free Space",
    L"\\Memory\\Available MBytes",
    L"\\PhysicalDisk(_Total)\\% Disk Time",
    L"\\Processor(_Total)\\% Processor Time",
};

double clockSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::optional<std::uint64_t> availablePhysicalBytes()
{
    const auto figures = Win32MemoryStatus().read();
    return figures ? std::optional(figures->availableBytes) : std::nullopt;
}

// A value PDH gives that no counter can have (negative, not a number) is
// taken for a failed one. The shares of processor time and of free space
// stop at 100, which two clocks' rounding can pass; the disk time passes 100
// while requests queue.
std::optional<double> plausible(int index, std::optional<double> value)
{
    if (!value || !std::isfinite(*value) || *value < 0)
        return std::nullopt;
    if (index == kProcessorTimeCounter || index == kFreeSpaceCounter)
        return std::min(*value, 100.0);
    return value;
}

}  // namespace

PdhCounterSource::PdhCounterSource() : PdhCounterSource(Sources{}) {}

PdhCounterSource::PdhCounterSource(Sources sources) : sources_(std::move(sources))
{
    if (!sources_.pdh)
        sources_.pdh = std::make_unique<Win32PdhQuery>();
    if (!sources_.processorTicks)
        sources_.processorTicks = readProcessorTicks;
    if (!sources_.availableBytes)
        sources_.availableBytes = availablePhysicalBytes;
    if (!sources_.fixedDriveSpace)
        sources_.fixedDriveSpace = readFixedDriveSpace;
    if (!sources_.now)
        sources_.now = clockSeconds;
    for (int index = 1; index <= 4; ++index)
        added_[static_cast<std::size_t>(index - 1)] = sources_.pdh->add(index, kEnglishPaths[index - 1]);
}

void PdhCounterSource::sampleIfDue()
{
    const double now = sources_.now();
    if (sampled_) {
        const double age = now - *sampled_;
        const bool rateKnown
            = pdhValues_[kProcessorTimeCounter - 1] || processorFallback_ || pdhValues_[kDiskTimeCounter - 1];
        const bool newSecond = std::floor(now) != std::floor(*sampled_);
        const bool due = age < 0 || age >= kLongestPeriod || (newSecond && age >= kShortestPeriod)
            || (!rateKnown && age >= kFirstRatePeriod);
        if (!due)
            return;
    }
    sampled_ = now;
    // A query none of whose counters was added has nothing to collect.
    const bool collected = std::ranges::any_of(added_, [](bool added) { return added; }) && sources_.pdh->collect();
    for (int index = 1; index <= 4; ++index) {
        const auto at = static_cast<std::size_t>(index - 1);
        pdhValues_[at] = collected && added_[at] ? plausible(index, sources_.pdh->value(index)) : std::nullopt;
    }
    // The system's times are kept in every sample, so that the processor
    // time can fall back in any sample where PDH fails.
    const std::optional<ProcessorTicks> ticks = sources_.processorTicks();
    processorFallback_ = ticks && ticks_ ? busyPercent(*ticks_, *ticks) : std::nullopt;
    ticks_ = ticks;
    memoryFallback_.reset();
    spaceFallback_.reset();
}

std::optional<double> PdhCounterSource::fallback(int index)
{
    switch (index) {
    case kProcessorTimeCounter:
        return processorFallback_;
    case kAvailableMemoryCounter:
        if (!memoryFallback_) {
            const auto bytes = sources_.availableBytes();
            memoryFallback_ = bytes ? std::optional<double>(static_cast<double>(*bytes) / 1048576.0) : std::nullopt;
        }
        return *memoryFallback_;
    case kFreeSpaceCounter:
        if (!spaceFallback_) {
            const auto space = sources_.fixedDriveSpace();
            spaceFallback_ = space && space->total > 0
                ? std::optional<double>(std::clamp(space->free / space->total * 100, 0.0, 100.0))
                : std::nullopt;
        }
        return *spaceFallback_;
    default:
        return std::nullopt;
    }
}

std::optional<double> PdhCounterSource::read(int index)
{
    if (index < 1 || index > 4)
        return std::nullopt;
    sampleIfDue();
    if (const auto value = pdhValues_[static_cast<std::size_t>(index - 1)])
        return value;
    return fallback(index);
}

}  // namespace tavlo
