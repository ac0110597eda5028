#include "monitor/memory_figures.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "display/layout.h"

namespace tavlo {

double shapeWidth(double twips)
{
    return static_cast<float>(twips);
}

void memoryStatusFigures(const std::optional<MemoryFigures>& figures, GadgetView& view)
{
    if (!figures)
        return;
    const auto total = static_cast<double>(figures->totalBytes);
    const auto available = static_cast<double>(figures->availableBytes);

    // The used share in percent, rounded up; nothing when the total is 0.
    std::optional<double> percent;
    if (total != 0)
        percent = 100 - std::floor(available / total * 100);

    view.lblRamT.text = formatWhole((total - available) / 1024000);
    // The shape refuses a negative width (more available than in all).
    if (const double width = percent.value_or(0) / 100 * kFullBarWidth; width >= 0)
        view.RamT.width = shapeWidth(width);
    view.lblRPer.text = (percent ? formatShortest(*percent) : std::string()) + "%";
}

void statedSizeFigures(const std::string& RTUl, std::optional<double> availableMb, GadgetView& view)
{
    const double stated = leadingNumberValue(RTUl);
    if (availableMb)
        view.lblRamT.text = formatWhole(stated - *availableMb);

    std::string percent;
    if (stated != 0)
        percent = formatTenths(leadingNumberValue(view.lblRamT.text) / stated * 100);

    // The shape refuses a negative width and keeps the one it has; a stated
    // size below 0 gives more than 100 %, and the bar stops at its frame,
    // as the processor and disk bars do.
    if (const auto value = strictNumber(percent); value && *value >= 0)
        view.RamT.width = shapeWidth(std::min(*value / 100 * kFullBarWidth, kFullBarWidth));

    view.lblRPer.text = percent + "%";
}

}  // namespace tavlo
