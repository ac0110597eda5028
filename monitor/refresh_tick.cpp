#include "monitor/refresh_tick.h"

#include <optional>
#include <string>
#include <utility>

#include "core/number_text.h"
#include "display/layout.h"
#include "display/moon_age.h"
#include "monitor/memory_figures.h"
#include "monitor/tray_tip.h"

namespace tavlo {
namespace {

std::string processorText(const std::optional<double>& processor)
{
    if (!processor)
        return "0%";
    const std::string whole = formatWhole(*processor);
    if (whole.empty())
        return "0%";
    return leadingNumberValue(whole) > 100 ? "100%" : whole + "%";
}

std::string diskText(const std::optional<double>& disk)
{
    if (!disk)
        return "0%";
    const std::string whole = formatWhole(*disk);
    return whole.empty() ? "0%" : whole + "%";
}

// The working labels, in order; a failed read ends the step there.
void setWorkingLabels(WorkingLabels& labels, const TickSample& sample)
{
    if (!sample.diskTime)
        return;
    labels.lblD = formatWhole(*sample.diskTime);
    if (!sample.processorTime)
        return;
    labels.lblC = formatWhole(*sample.processorTime);
    if (!sample.freeSpace)
        return;
    labels.lblDs = formatTenths(*sample.freeSpace);
}

void sizeProcessorBar(const WorkingLabels& labels, GadgetView& view)
{
    const double value = leadingNumberValue(labels.lblC);
    if (value < 0) {
        view.PrscrTime.width = 0;
        view.lblCPer.text = "0%";
    } else {
        view.PrscrTime.width = shapeWidth(value > 100 ? kFullBarWidth : value * 0.01 * kFullBarWidth);
    }
}

void sizeDiskBar(const WorkingLabels& labels, GadgetView& view)
{
    const double value = leadingNumberValue(labels.lblD);
    if (value < 0) {
        view.DiskTime.width = 0;
        view.lblDPer.text = "0%";
    } else if (value > 100) {
        view.DiskTime.width = kFullBarWidth;
        view.lblDPer.text = "100%";
    } else {
        view.DiskTime.width = shapeWidth(value * 0.01 * kFullBarWidth);
    }
}

// Below 15 % free space the bar and the figure show 0.
void sizeFreeSpaceBar(const WorkingLabels& labels, GadgetView& view)
{
    const double value = leadingNumberValue(labels.lblDs);
    view.DSpce.width = shapeWidth(value * 0.01 * kFullBarWidth);
    view.lblDSPer.text = labels.lblDs + "%";
    if (value < 15) {
        view.DSpce.width = 0;
        view.lblDSPer.text = "0%";
    }
}

std::string tipText(const GadgetView& view, const SettingsStore& store, const TickSample& sample)
{
    const auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return sample.longDate + " " + twoDigits(sample.now.hour) + ":" + twoDigits(sample.now.minute) + " 月齢"
        + store.txtAge + "日\r CPU: " + view.lblCPer.text + " / RAM: " + view.lblRPer.text
        + " / Disk: " + view.lblDPer.text;
}

}  // namespace

TickSample sampleTick(
    RefreshMode mode, bool clockShown, const Clock& clock, MemoryStatus& memory, CounterSource& counters)
{
    TickSample sample;
    sample.now = clock.now();
    if (clockShown) {
        sample.shortDate = clock.shortDate(sample.now);
        sample.longTime = clock.longTime(sample.now);
    }
    sample.longDate = clock.longDate(sample.now);
    if (mode == RefreshMode::MemoryStatus)
        sample.memory = memory.read();
    else
        sample.availableMb = counters.read(kAvailableMemoryCounter);
    sample.freeSpace = counters.read(kFreeSpaceCounter);
    sample.diskTime = counters.read(kDiskTimeCounter);
    sample.processorTime = counters.read(kProcessorTimeCounter);
    return sample;
}

GadgetView refreshTick(GadgetView view, SettingsStore& store, WorkingLabels& labels, TickSample sample,
    RefreshMode mode, const TextCodec& codec)
{
    setDateFields(sample.now, store);
    if (store.txtFDay != store.txtDD && store.MVw == "on")
        CalcMoonAge(store, view);
    if (store.CVw == "on") {
        view.lblDate.text = std::move(sample.shortDate);
        view.lblTime.text = std::move(sample.longTime);
    }

    if (mode == RefreshMode::MemoryStatus)
        memoryStatusFigures(sample.memory, view);
    else
        statedSizeFigures(store.RTUl, sample.availableMb, view);

    view.lblCPer.text = processorText(sample.processorTime);
    view.lblDPer.text = diskText(sample.diskTime);
    setWorkingLabels(labels, sample);
    sizeProcessorBar(labels, view);
    sizeDiskBar(labels, view);
    sizeFreeSpaceBar(labels, view);

    view.tray.tip = tipAsShown(tipText(view, store, sample), codec);
    return view;
}

}  // namespace tavlo
