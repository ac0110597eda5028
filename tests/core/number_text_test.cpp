#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>

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

// The lenient reading of a number at the start of a text, as positions,
// the stated size and the working labels are read.
TEST(LeadingNumberValue, ReadsTheNumberAtTheStart)
{
    for (const auto& [text, value] : {std::pair<const char*, double>{"45.", 45}, {".", 0}, {"", 0}, {"DS", 0},
             {"-45", -45}, {"1380px", 1380}, {"2560 MB", 2560}, {"886.1538", 886.1538}, {".5", 0.5}, {"1.2.3", 1.2},
             // Blanks, tabs and line feeds count nowhere, even inside the number.
             {" 1 2\t3\n4", 1234}, {"- 7", -7},
             // Exponents with E or D; an exponent without digits is not part of the number.
             {"1E3", 1000}, {"2D2", 200}, {"5E-1", 0.5}, {"7E", 7}, {"1E999", HUGE_VAL}})
        EXPECT_EQ(leadingNumberValue(text), value) << text;
}

// The strict reading of settings: the whole text must be a number, and a
// colour a whole one in the 32-bit range.
TEST(StrictNumber, TheWholeTextMustBeANumberAndAColourAWhole32BitOne)
{
    using Number = std::optional<double>;
    using Whole = std::optional<std::int32_t>;
    for (const auto& [text, number, colour] : {std::tuple<const char*, Number, Whole>{"50.", 50, 50}, {".5", 0.5, {}},
             {"-12.5", -12.5, {}}, {"70.7", 70.7, {}}, {".", {}, {}}, {"", {}, {}}, {"12abc", {}, {}}, {"-", {}, {}},
             {"1 2", {}, {}}, {"12632256", 12632256, 12632256}, {"-5", -5, -5}, {"2147483647", 2147483647, 2147483647},
             {"2147483648", 2147483648, {}}, {"12.5", 12.5, {}}, {"red", {}, {}}}) {
        EXPECT_EQ(strictNumber(text), number) << text;
        EXPECT_EQ(strictColour(text), colour) << text;
    }
}

TEST(FormatSingle, PlainDecimalsOfSinglePrecision)
{
    for (const auto& [value, text] :
        {std::pair{11235.0f, "11235"}, {11520.0f / 13.0f, "886.1539"}, {100000.0f, "100000"}, {-45.0f, "-45"}})
        EXPECT_EQ(formatSingle(value), text);
}

TEST(FormatShortest, IntegralValuesHaveNoPoint)
{
    for (const auto& [value, text] : {std::pair{54.0, "54"}, {-6.0, "-6"}, {0.0, "0"}, {2.5, "2.5"}})
        EXPECT_EQ(formatShortest(value), text);
}

}  // namespace
}  // namespace tavlo
