#include "display/moon_age.h"

#include <array>
#include <string_view>

#include "core/number_text.h"

namespace tavlo {
namespace {

// Base years of the 19-year cycle, with the year above which each applies.
struct BaseYear {
    double above;
    const char* base;
};
constexpr std::array<BaseYear, 4> kBaseYears{{{2062, "2063"}, {2043, "2044"}, {2024, "2025"}, {2005, "2006"}}};
constexpr const char* kEarliestBase = "1987";

constexpr std::array<std::string_view, 12> kMonthOffsets{"0", "2", "0", "2", "2", "4", "5", "6", "7", "8", "9", "10"};

}  // namespace

void CalcMoonAge(SettingsStore& store, GadgetView& view)
{
    const double year = leadingNumberValue(store.txtYY);
    store.txtYY2 = kEarliestBase;
    for (const BaseYear& candidate : kBaseYears) {
        if (year > candidate.above) {
            store.txtYY2 = candidate.base;
            break;
        }
    }

    // Only the exact texts "1" to "12" name a month; anything else keeps the old offset.
    for (std::size_t month = 1; month <= kMonthOffsets.size(); ++month) {
        if (store.txtMM == std::to_string(month)) {
            store.txtMM2 = kMonthOffsets[month - 1];
            break;
        }
    }

    const double sum = (year - leadingNumberValue(store.txtYY2)) * 11 + leadingNumberValue(store.txtMM2)
        + leadingNumberValue(store.txtDD);
    store.txtAll = formatShortest(sum);
    while (leadingNumberValue(store.txtAll) >= 30)
        store.txtAll = formatShortest(leadingNumberValue(store.txtAll) - 30);

    setMoonAgeText(store, view, store.txtAll);
}

void setMoonAgeText(SettingsStore& store, GadgetView& view, const std::string& text)
{
    if (store.txtAge == text)
        return;
    store.txtAge = text;
    txtAge_Change(store.txtAge, view);
}

void txtAge_Change(const std::string& age, GadgetView& view)
{
    view.moonVisible.fill(false);
    for (int n = 0; n < kMoonPictureCount; ++n) {
        if (age == std::to_string(n)) {
            view.moonVisible[static_cast<std::size_t>(n)] = true;
            return;
        }
    }
}

}  // namespace tavlo
