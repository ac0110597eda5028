#include "monitor/refresh_tick.h"

#include <optional>
#include <string>

#include "core/frm_dtmn.h"
#include "core/number_text.h"
#include "display/layout.h"
#include "display/moon_age.h"
#include "monitor/memory_figures.h"
#include "monitor/tray_tip.h"

namespace tavlo {
namespace {

// The counters of one tick: each is read once and used by every step.
struct CounterValues {
    std::optional<double> freeSpace;
    std::optional<double> diskTime;
    std::optional<double> processorTime;
};

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
void setWorkingLabels(FrmDTMn& form, const CounterValues& counters)
{
    if (!counters.diskTime)
        return;
    form.lblD = formatWhole(*counters.diskTime);
    if (!counters.processorTime)
        return;
    form.lblC = formatWhole(*counters.processorTime);
    if (!counters.freeSpace)
        return;
    form.lblDs = formatTenths(*counters.freeSpace);
}

void sizeProcessorBar(FrmDTMn& form)
{
    const double value = leadingNumberValue(form.lblC);
    if (value < 0) {
        form.view.PrscrTime.width = 0;
        form.view.lblCPer.text = "0%";
    } else {
        form.view.PrscrTime.width = shapeWidth(value > 100 ? kFullBarWidth : value * 0.01 * kFullBarWidth);
    }
}

void sizeDiskBar(FrmDTMn& form)
{
    const double value = leadingNumberValue(form.lblD);
    if (value < 0) {
        form.view.DiskTime.width = 0;
        form.view.lblDPer.text = "0%";
    } else if (value > 100) {
        form.view.DiskTime.width = kFullBarWidth;
        form.view.lblDPer.text = "100%";
    } else {
        form.view.DiskTime.width = shapeWidth(value * 0.01 * kFullBarWidth);
    }
}

// Below 15 % free space the bar and the figure show 0.
void sizeFreeSpaceBar(FrmDTMn& form)
{
    const double value = leadingNumberValue(form.lblDs);
    form.view.DSpce.width = shapeWidth(value * 0.01 * kFullBarWidth);
    form.view.lblDSPer.text = form.lblDs + "%";
    if (value < 15) {
        form.view.DSpce.width = 0;
        form.view.lblDSPer.text = "0%";
    }
}

std::string tipText(const FrmDTMn& form, const Clock& clock, const LocalDateTime& now)
{
    const auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return clock.longDate(now) + " " + twoDigits(now.hour) + ":" + twoDigits(now.minute) + " 月齢" + form.store.txtAge
        + "日\r CPU: " + form.view.lblCPer.text + " / RAM: " + form.view.lblRPer.text
        + " / Disk: " + form.view.lblDPer.text;
}

}  // namespace

void refreshTick(FrmDTMn& form, RefreshMode mode)
{
    Services& services = form.services();
    const LocalDateTime now = services.clock.now();

    form.setDateFields(now);
    if (form.store.txtFDay != form.store.txtDD && form.store.MVw == "on")
        CalcMoonAge(form.store, form.view);
    if (form.store.CVw == "on") {
        form.view.lblDate.text = services.clock.shortDate(now);
        form.view.lblTime.text = services.clock.longTime(now);
    }

    if (mode == RefreshMode::MemoryStatus)
        memoryStatusFigures(services.memory.read(), form.view);
    else
        statedSizeFigures(form.store.RTUl, services.counters.read(kAvailableMemoryCounter), form.view);

    const CounterValues counters{services.counters.read(kFreeSpaceCounter), services.counters.read(kDiskTimeCounter),
        services.counters.read(kProcessorTimeCounter)};
    form.view.lblCPer.text = processorText(counters.processorTime);
    form.view.lblDPer.text = diskText(counters.diskTime);
    setWorkingLabels(form, counters);
    sizeProcessorBar(form);
    sizeDiskBar(form);
    sizeFreeSpaceBar(form);

    form.view.tray.tip = tipAsShown(tipText(form, services.clock, now), services.codec);
}

}  // namespace tavlo
