#include "platform/linux/proc_counter_source.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <chrono>

#include "platform/linux/proc_meminfo.h"

namespace tavlo {
namespace {

constexpr double kSamplePeriod = 1.0;
// While no rate is known, a second sample this soon after the first gives
// the first readouts.
constexpr double kFirstRatePeriod = 0.25;

std::optional<std::string> readWhole(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    if (n < 0)
        return std::nullopt;
    return text;
}

std::optional<std::pair<double, double>> statvfsSpace(const std::string& mountPoint)
{
    struct statvfs info {};
    if (::statvfs(mountPoint.c_str(), &info) != 0)
        return std::nullopt;
    const double unit = static_cast<double>(info.f_frsize);
    return std::pair{static_cast<double>(info.f_bavail) * unit, static_cast<double>(info.f_blocks) * unit};
}

double steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ProcCounterSource::ProcCounterSource() : ProcCounterSource(Sources{}) {}

ProcCounterSource::ProcCounterSource(Sources sources) : sources_(std::move(sources))
{
    if (!sources_.space)
        sources_.space = statvfsSpace;
    if (!sources_.now)
        sources_.now = steadySeconds;
}

ProcCounterSource::Sample ProcCounterSource::takeSample() const
{
    Sample sample;
    sample.time = sources_.now();
    if (const auto stat = readWhole(sources_.stat))
        sample.cpu = parseCpuTimes(*stat);
    if (const auto diskstats = readWhole(sources_.diskstats))
        sample.disk = parseDiskTimes(*diskstats);
    if (const auto meminfo = readWhole(sources_.meminfo)) {
        if (const auto memory = parseMeminfo(*meminfo))
            sample.availableMb = static_cast<double>(memory->availableBytes) / (1024.0 * 1024.0);
    }
    if (const auto mountinfo = readWhole(sources_.mountinfo)) {
        if (const auto mounts = parseRealMounts(*mountinfo)) {
            double free = 0;
            double total = 0;
            for (const std::string& mount : *mounts) {
                if (const auto space = sources_.space(mount)) {
                    free += space->first;
                    total += space->second;
                }
            }
            if (total > 0)
                sample.freePercent = free / total * 100;
        }
    }
    return sample;
}

void ProcCounterSource::sampleIfDue()
{
    const double now = sources_.now();
    if (latest_) {
        const double age = now - latest_->time;
        const bool rateKnown = processorPercent_ || diskPercent_;
        if (age < kSamplePeriod && (rateKnown || age < kFirstRatePeriod))
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
            diskPercent_ = 100.0 * static_cast<double>(sample.disk->weightedMs - before.disk->weightedMs)
                / (elapsedMs * sample.disk->disks);
        }
    }
    latest_ = std::move(sample);
}

std::optional<double> ProcCounterSource::read(int index)
{
    sampleIfDue();
    switch (index) {
    case kFreeSpaceCounter:
        return latest_->freePercent;
    case kAvailableMemoryCounter:
        return latest_->availableMb;
    case kDiskTimeCounter:
        return diskPercent_;
    case kProcessorTimeCounter:
        return processorPercent_;
    default:
        return std::nullopt;
    }
}

}  // namespace tavlo
