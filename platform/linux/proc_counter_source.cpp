#include "platform/linux/proc_counter_source.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <chrono>
#include <cmath>

#include "platform/linux/proc_meminfo.h"

namespace tavlo {
namespace {

// A sample is taken at the first read of each second of the clock, at least
// half a second after the last one: the readouts then change on the same
// refresh tick as the clock's seconds, and the gadget repaints once a second.
constexpr double kShortestPeriod = 0.5;
constexpr double kLongestPeriod = 1.5;
// While no rate is known, a second sample this soon after the first gives
// the first readouts.
constexpr double kFirstRatePeriod = 0.25;
constexpr double kMountListPeriod = 30;

std::optional<std::pair<double, double>> statvfsSpace(const std::string& mountPoint)
{
    struct statvfs info {};
    if (::statvfs(mountPoint.c_str(), &info) != 0)
        return std::nullopt;
    const auto unit = static_cast<double>(info.f_frsize);
    return std::pair{static_cast<double>(info.f_bavail) * unit, static_cast<double>(info.f_blocks) * unit};
}

double clockSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

}  // namespace

ProcCounterSource::ProcCounterSource() : ProcCounterSource(Sources{}) {}

ProcCounterSource::ProcCounterSource(Sources sources)
    : sources_(std::move(sources)),
      stat_(sources_.stat),
      diskstats_(sources_.diskstats),
      meminfo_(sources_.meminfo),
      mountinfo_(sources_.mountinfo)
{
    if (!sources_.space)
        sources_.space = statvfsSpace;
    if (!sources_.now)
        sources_.now = clockSeconds;
}

ProcCounterSource::Sample ProcCounterSource::takeSample()
{
    Sample sample;
    sample.time = sources_.now();
    if (const auto stat = stat_.read())
        sample.cpu = parseCpuTimes(*stat);
    if (const auto diskstats = diskstats_.read())
        sample.disk = parseDiskTimes(*diskstats);
    return sample;
}

std::optional<double> ProcCounterSource::availableMegabytes()
{
    if (const auto meminfo = meminfo_.read()) {
        if (const auto memory = parseMeminfo(*meminfo))
            return static_cast<double>(memory->availableBytes) / (1024.0 * 1024.0);
    }
    return std::nullopt;
}

std::optional<double> ProcCounterSource::freeSpacePercent()
{
    // Mounts come and go rarely; the list is read again now and then.
    if (!mountsRead_ || latest_->time - *mountsRead_ >= kMountListPeriod) {
        mountsRead_ = latest_->time;
        const auto mountinfo = mountinfo_.read();
        const auto mounts = mountinfo ? parseLocalDiskMounts(*mountinfo) : std::nullopt;
        mounts_ = mounts.value_or(std::vector<std::string>{});
    }
    double free = 0;
    double total = 0;
    for (const std::string& mount : mounts_) {
        if (const auto space = sources_.space(mount)) {
            free += space->first;
            total += space->second;
        }
    }
    if (total <= 0)
        return std::nullopt;
    return free / total * 100;
}

void ProcCounterSource::sampleIfDue()
{
    const double now = sources_.now();
    if (latest_) {
        const double age = now - latest_->time;
        const bool rateKnown = processorPercent_ || diskPercent_;
        const bool newSecond = std::floor(now) != std::floor(latest_->time);
        const bool due = age < 0 || age >= kLongestPeriod || (newSecond && age >= kShortestPeriod)
            || (!rateKnown && age >= kFirstRatePeriod);
        if (!due)
            return;
    }
    Sample sample = takeSample();
    processorPercent_.reset();
    diskPercent_.reset();
    if (latest_) {
        const Sample& before = *latest_;
        if (sample.cpu && before.cpu && sample.cpu->total > before.cpu->total && sample.cpu->busy >= before.cpu->busy) {
            processorPercent_ = 100.0 * static_cast<double>(sample.cpu->busy - before.cpu->busy)
                / static_cast<double>(sample.cpu->total - before.cpu->total);
        }
        // The weighted time in queue grows by the milliseconds of each
        // request in flight, so its growth over the elapsed time is the
        // average queue length: like Windows' "% Disk Time" it passes 100
        // when requests queue. Over several disks it is their average.
        const double elapsedMs = (sample.time - before.time) * 1000;
        if (sample.disk && before.disk && elapsedMs > 0 && sample.disk->disks == before.disk->disks
            && sample.disk->weightedMs >= before.disk->weightedMs) {
            // A machine without disks (an NFS root, a container) is idle.
            diskPercent_ = sample.disk->disks == 0
                ? 0.0
                : 100.0 * static_cast<double>(sample.disk->weightedMs - before.disk->weightedMs)
                    / (elapsedMs * sample.disk->disks);
        }
    }
    latest_ = sample;
    // Levels are read again for the new sample, whichever counter asks first.
    freeSpace_.reset();
    availableMemory_.reset();
}

std::optional<double> ProcCounterSource::read(int index)
{
    sampleIfDue();
    switch (index) {
    case kFreeSpaceCounter:
        if (!freeSpace_)
            freeSpace_ = {freeSpacePercent()};
        return *freeSpace_;
    case kAvailableMemoryCounter:
        if (!availableMemory_)
            availableMemory_ = {availableMegabytes()};
        return *availableMemory_;
    case kDiskTimeCounter:
        return diskPercent_;
    case kProcessorTimeCounter:
        return processorPercent_;
    default:
        return std::nullopt;
    }
}

}  // namespace tavlo
