#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tavlo {
namespace {

// Integral doubles beyond the int64 range still print as plain digits.
std::string integralText(double whole)
{
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return {buffer, n > 0 ? static_cast<std::size_t>(n) : 0};
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the decimal number at the start of `text` (sign, digits, point,
// digits, exponent "E"/"D" with sign and digits), 0 when none starts there.
// `digitsSeen` tells whether the mantissa held a digit.
std::size_t scanNumber(std::string_view text, bool& digitsSeen)
{
    std::size_t i = 0;
    digitsSeen = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        digitsSeen = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            digitsSeen = true;
        }
    }
    if (!digitsSeen)
        return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// Parses a scanned number; "D" exponents are read as "E".
double parseScanned(std::string_view number)
{
    std::string normal(number);
    for (char& c : normal) {
        if (c == 'D' || c == 'd')
            c = 'E';
    }
    if (!normal.empty() && normal.front() == '+')
        normal.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small a magnitude reads as 0, too large as infinity.
        if (normal.find("E-") != std::string::npos)
            return 0.0;
        return normal.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc() ? value : 0.0;
}

}  // namespace

std::string formatWhole(double value)
{
    const double rounded = std::round(value);
    if (rounded == 0 || std::isnan(rounded))
        return {};
    if (std::abs(rounded) < 9e18)
        return std::to_string(static_cast<long long>(rounded));
    return integralText(rounded);
}

std::string formatTenths(double value)
{
    if (std::isnan(value))
        return ".";
    // A stated memory size such as 1e-300 divides the used figure into
    // infinity: it has no tenths to show.
    if (std::isinf(value))
        return integralText(value);
    // The whole part and the fraction apart, so that no digit of a large
    // value is lost to the multiplication by 10.
    const double magnitude = std::abs(value);
    double integral = std::floor(magnitude);
    int tenthDigit = static_cast<int>(std::round((magnitude - integral) * 10));
    if (tenthDigit == 10) {
        integral += 1;
        tenthDigit = 0;
    }
    std::string text;
    if (value < 0 && (integral != 0 || tenthDigit != 0))
        text += '-';
    if (integral != 0)
        text += integralText(integral);
    text += '.';
    if (tenthDigit != 0)
        text += static_cast<char>('0' + tenthDigit);
    return text;
}

std::string formatShortest(double value)
{
    if (value == std::trunc(value) && std::abs(value) < 9e18)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::string formatSingle(float value)
{
    // Plain decimals, never an exponent: 100000 stays "100000".
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

double leadingNumberValue(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    bool digitsSeen = false;
    const std::size_t length = scanNumber(compact, digitsSeen);
    return length == 0 ? 0.0 : parseScanned(std::string_view(compact).substr(0, length));
}

std::optional<double> strictNumber(std::string_view text)
{
    // Blanks around the number are allowed, as the original conversion allows them.
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool digitsSeen = false;
    const std::size_t length = scanNumber(text, digitsSeen);
    if (length == 0 || length != text.size())
        return std::nullopt;
    return parseScanned(text);
}

std::optional<std::int32_t> strictColour(std::string_view text)
{
    const auto number = strictNumber(text);
    if (!number || *number != std::trunc(*number) || *number < std::numeric_limits<std::int32_t>::min()
        || *number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*number);
}

}  // namespace tavlo
