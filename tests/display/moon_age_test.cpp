#include "display/moon_age.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavlo {
namespace {

struct MoonCase {
    const char* name;
    const char* year;
    const char* month;
    const char* day;
    const char* base;
    const char* age;

    friend void PrintTo(const MoonCase& row, std::ostream* out) { *out << row.name; }
};

class MoonAgeDates : public ::testing::TestWithParam<MoonCase> {};

TEST_P(MoonAgeDates, GiveTheAgeOfTheRule)
{
    const MoonCase& c = GetParam();
    SettingsStore store;
    GadgetView view;
    store.txtYY = c.year;
    store.txtMM = c.month;
    store.txtDD = c.day;
    CalcMoonAge(store, view);
    EXPECT_EQ(store.txtYY2, c.base);
    EXPECT_EQ(store.txtAge, c.age);
}

INSTANTIATE_TEST_SUITE_P(Dates, MoonAgeDates,
    ::testing::Values(MoonCase{"OneReduction", "2009", "4", "19", "2006", "24"},  // 3*11 + 2 + 19 = 54
        MoonCase{"CycleStart2006", "2006", "1", "1", "2006", "1"},
        MoonCase{"CycleStart2025", "2025", "1", "1", "2025", "1"},
        MoonCase{"CycleStart2063", "2063", "1", "1", "2063", "1"},
        MoonCase{"SevenReductions", "2005", "12", "31", "1987", "29"},  // 18*11 + 10 + 31 = 239
        MoonCase{"CycleEnd2024", "2024", "12", "31", "2006", "29"},
        MoonCase{"CycleEnd2081", "2081", "12", "31", "2063", "29"},
        MoonCase{"ExactlyThirtyIsZero", "1987", "3", "30", "1987", "0"},
        MoonCase{"After2081TheBaseStays", "2082", "1", "1", "2063", "0"},  // 19*11 + 1 = 210
        MoonCase{"NegativeSumIsNotReduced", "1986", "1", "5", "1987", "-6"},
        MoonCase{"Before1987", "1986", "6", "15", "1987", "8"},
        MoonCase{"StrictThreshold2024", "2024", "1", "1", "2006", "19"},  // 18*11 + 1 = 199
        MoonCase{"StrictThreshold2043", "2043", "1", "1", "2025", "19"},
        MoonCase{"StrictThreshold2044", "2044", "1", "1", "2044", "1"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(MoonAge, AMonthTextOutsideTheTableKeepsTheOldOffset)
{
    SettingsStore store;
    GadgetView view;
    store.txtYY = "2006";
    store.txtMM = "12";
    store.txtDD = "1";
    CalcMoonAge(store, view);
    EXPECT_EQ(store.txtMM2, "10");
    store.txtMM = "01";
    CalcMoonAge(store, view);
    EXPECT_EQ(store.txtMM2, "10");
    EXPECT_EQ(store.txtAge, "11");
}

TEST(MoonPicture, OnlyTheNumberedPictureOfTheExactTextIsShown)
{
    SettingsStore store;
    GadgetView view;
    setMoonAgeText(store, view, "5");
    EXPECT_TRUE(view.moonVisible[5]);
    setMoonAgeText(store, view, "6");
    EXPECT_FALSE(view.moonVisible[5]);
    EXPECT_TRUE(view.moonVisible[6]);
    EXPECT_EQ(std::count(view.moonVisible.begin(), view.moonVisible.end(), true), 1);

    for (const char* text : {"", "30", "-6", "05", " 5", "5.0"}) {
        setMoonAgeText(store, view, text);
        EXPECT_EQ(std::count(view.moonVisible.begin(), view.moonVisible.end(), true), 0) << '"' << text << '"';
    }
    setMoonAgeText(store, view, "29");
    EXPECT_TRUE(view.moonVisible[29]);
    setMoonAgeText(store, view, "0");
    EXPECT_TRUE(view.moonVisible[0]);
}

}  // namespace
}  // namespace tavlo
