#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavlo {
namespace {

struct PatternCase {
    const char* name;
    double value;
    const char* whole;   // pattern "#"
    const char* tenths;  // pattern "#.#"

    friend void PrintTo(const PatternCase& row, std::ostream* out) { *out << row.name; }
};

class DigitPatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DigitPatterns, FormatAsTheTablesSay)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(formatWhole(c.value), c.whole);
    EXPECT_EQ(formatTenths(c.value), c.tenths);
}

INSTANTIATE_TEST_SUITE_P(Table, DigitPatterns,
    ::testing::Values(PatternCase{"TenthsRoundUp", 45.26, "45", "45.3"},
        PatternCase{"ZeroTenthKeepsThePoint", 45.02, "45", "45."},
        PatternCase{"NoIntegerDigitsBelowOne", 0.5, "1", ".5"},  // halves away from zero
        PatternCase{"NearZeroIsOnlyThePoint", 0.04, "", "."}, PatternCase{"BelowHalfIsEmpty", 0.4, "", ".4"},
        PatternCase{"FourDigits", 2896, "2896", "2896."},
        PatternCase{"PatternNeverCutsDigits", 12000, "12000", "12000."},
        PatternCase{"NegativeHalfAwayFromZero", -2.5, "-3", "-2.5"},
        PatternCase{"FreeSpaceRoundsUpToFifteen", 14.96, "15", "15."},
        PatternCase{"FreeSpaceStaysBelowFifteen", 14.94, "15", "14.9"},
        PatternCase{"ProcessorJustAboveHundred", 100.6, "101", "100.6"},
        // The used share of a stated size of 1e-300 MB.
        PatternCase{"Infinity", HUGE_VAL, "inf", "inf"}, PatternCase{"MinusInfinity", -HUGE_VAL, "-inf", "-inf"},
        PatternCase{"BeyondTenths", 0x1p60, "1152921504606846976", "1152921504606846976."},
        PatternCase{"EveryDigitOfALargeWhole", 9007199254740991, "9007199254740991", "9007199254740991."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LeadingNumberValue, ReadsTheNumberAtTheStart)
{
    EXPECT_EQ(leadingNumberValue("45."), 45);
    EXPECT_EQ(leadingNumberValue("."), 0);
    EXPECT_EQ(leadingNumberValue(""), 0);
    EXPECT_EQ(leadingNumberValue("DS"), 0);
    EXPECT_EQ(leadingNumberValue("-45"), -45);
    EXPECT_EQ(leadingNumberValue("1380px"), 1380);
    EXPECT_EQ(leadingNumberValue("2560 MB"), 2560);
    EXPECT_DOUBLE_EQ(leadingNumberValue("886.1538"), 886.1538);
    EXPECT_DOUBLE_EQ(leadingNumberValue(".5"), 0.5);
    EXPECT_EQ(leadingNumberValue("1.2.3"), 1.2);
}

TEST(LeadingNumberValue, IgnoresBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(leadingNumberValue(" 1 2\t3\n4"), 1234);
    EXPECT_EQ(leadingNumberValue("- 7"), -7);
}

TEST(LeadingNumberValue, ReadsExponentsWithEOrD)
{
    EXPECT_EQ(leadingNumberValue("1E3"), 1000);
    EXPECT_EQ(leadingNumberValue("2D2"), 200);
    EXPECT_EQ(leadingNumberValue("5E-1"), 0.5);
    EXPECT_EQ(leadingNumberValue("7E"), 7);  // an exponent without digits is not part of the number
    EXPECT_EQ(leadingNumberValue("1E999"), HUGE_VAL);
}

TEST(StrictNumber, TheWholeTextMustBeANumber)
{
    EXPECT_EQ(strictNumber("50."), 50);
    EXPECT_EQ(strictNumber(".5"), 0.5);
    EXPECT_EQ(strictNumber("-12.5"), -12.5);
    EXPECT_EQ(strictNumber("70.7"), 70.7);
    EXPECT_FALSE(strictNumber("."));
    EXPECT_FALSE(strictNumber(""));
    EXPECT_FALSE(strictNumber("12abc"));
    EXPECT_FALSE(strictNumber("-"));
    EXPECT_FALSE(strictNumber("1 2"));
}

TEST(StrictColour, AcceptsOnlyWholeNumbersInThe32BitRange)
{
    EXPECT_EQ(strictColour("12632256"), 12632256);
    EXPECT_EQ(strictColour("-5"), -5);
    EXPECT_EQ(strictColour("2147483647"), 2147483647);
    EXPECT_FALSE(strictColour("2147483648"));
    EXPECT_FALSE(strictColour("12.5"));
    EXPECT_FALSE(strictColour("red"));
    EXPECT_FALSE(strictColour(""));
}

TEST(FormatSingle, PlainDecimalsOfSinglePrecision)
{
    EXPECT_EQ(formatSingle(11235.0f), "11235");
    EXPECT_EQ(formatSingle(11520.0f / 13.0f), "886.1539");
    EXPECT_EQ(formatSingle(100000.0f), "100000");
    EXPECT_EQ(formatSingle(-45.0f), "-45");
}

TEST(FormatShortest, IntegralValuesHaveNoPoint)
{
    EXPECT_EQ(formatShortest(54), "54");
    EXPECT_EQ(formatShortest(-6), "-6");
    EXPECT_EQ(formatShortest(0), "0");
    EXPECT_EQ(formatShortest(2.5), "2.5");
}

}  // namespace
}  // namespace tavlo
