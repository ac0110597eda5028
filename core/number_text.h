#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between numbers and the texts that the settings store and the
// readouts hold. Every value in the store is text; readers convert on use.
namespace tavlo {

// Digit pattern "#" (also "###", "####"): rounded to a whole number, halves
// away from zero; no grouping; "-" before a negative number; the empty text
// when the rounded value is 0.
std::string formatWhole(double value);

// Digit pattern "#.#" (also "##.#"): rounded to tenths, halves away from zero;
// the integer digits (none when the integer part is 0), ".", then the tenths
// digit unless it is 0. So 45.02 gives "45." and 0.5 gives ".5".
std::string formatTenths(double value);

// Shortest decimal text of a double: integral values without a point.
std::string formatShortest(double value);

// The text of a single-precision number: its shortest decimal form, so
// 11235 gives "11235" and 886.1538 gives "886.1538".
std::string formatSingle(float value);

// The lenient reading: blanks, tabs and line feeds are ignored anywhere; the
// value is that of the longest leading decimal number, 0 when there is none.
double leadingNumberValue(std::string_view text);

// The strict reading: the whole text must be a decimal number with at least
// one digit, else there is no value.
std::optional<double> strictNumber(std::string_view text);

// A colour text: a whole decimal number within the signed 32-bit range.
std::optional<std::int32_t> strictColour(std::string_view text);

}  // namespace tavlo
