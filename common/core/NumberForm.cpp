#include "common/core/NumberForm.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Single precision carries about seven significant digits.
constexpr int SignificantDigits = 7;

std::string withoutTrailingZeros(std::string digits)
{
    if (digits.find('.') == std::string::npos)
        return digits;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
    return digits;
}

// std::to_chars and std::from_chars ignore the C locale, which Qt sets from
// the user's environment (a Catalan desktop would otherwise write commas).
std::string format(double value, std::chars_format style, int precision)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, style, precision);
    return std::string(buffer, result.ptr);
}

std::string fixedForm(double magnitude)
{
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const int decimals = std::max(0, SignificantDigits - 1 - exponent);
    std::string text = withoutTrailingZeros(format(magnitude, std::chars_format::fixed, decimals));
    if (text.size() > 1 && text[0] == '0' && text[1] == '.')
        text.erase(0, 1);
    return text;
}

// "1.5e-05" becomes "1.5E-05": at least two exponent digits, no trailing zeros.
std::string exponentStyle(const std::string &text)
{
    const auto e = text.find('e');
    const std::string mantissa = withoutTrailingZeros(text.substr(0, e));
    const char sign = text[e + 1];
    std::string digits = text.substr(e + 2);
    while (digits.size() > 2 && digits[0] == '0')
        digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}

std::string exponentForm(double magnitude)
{
    return exponentStyle(format(magnitude, std::chars_format::scientific, SignificantDigits - 1));
}

// The digits of the shortest scientific form, placed without an exponent.
std::string shortestFixed(const std::string &scientific)
{
    const auto e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int exponent = std::stoi(scientific.substr(e + 1));
    if (exponent < 0)
        return "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return digits + std::string(whole - digits.size(), '0');
    return digits.insert(whole, ".");
}

// The fewest digits that read back to the same single, up to the seven a
// single carries: an eighth or ninth digit would only show its binary noise.
std::string shortestScientific(float magnitude)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string shortest(buffer, result.ptr);
    const auto e = shortest.find('e');
    if (std::count_if(shortest.begin(), shortest.begin() + e, ::isdigit) <= SignificantDigits)
        return shortest;
    const std::string seven = format(magnitude, std::chars_format::scientific, SignificantDigits - 1);
    const auto e7 = seven.find('e');
    return withoutTrailingZeros(seven.substr(0, e7)) + seven.substr(e7);
}

std::string compact(const std::string &text)
{
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            out += c;
    return out;
}

// &H and &O integers wrap like the 16- and 32-bit integers they stand for.
double radixNumber(const std::string &s, std::size_t pos, int radix)
{
    std::uint64_t value = 0;
    bool any = false;
    for (; pos < s.size(); ++pos) {
        const int c = std::toupper(static_cast<unsigned char>(s[pos]));
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = (value * radix + digit) & 0xFFFFFFFFu;
        any = true;
    }
    if (!any)
        return 0;
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Where the first significant digit of a plain decimal stands: 0 for units,
// -1 for tenths; the text's own exponent is added by the caller.
long leadingPlace(const std::string &number)
{
    const std::size_t point = number.find('.');
    const std::size_t first = number.find_first_of("123456789");
    const std::size_t units = point == std::string::npos ? number.find('e') : point;
    const std::size_t end = units == std::string::npos ? number.size() : units;
    if (first == std::string::npos)
        return 0;
    if (first < end)
        return static_cast<long>(end - first) - 1;
    return -static_cast<long>(first - point);
}

std::size_t skipDigits(const std::string &s, std::size_t pos)
{
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    return pos;
}

} // namespace

std::string shortForm(float value)
{
    const double v = value;
    if (v == 0 || !std::isfinite(v))
        return v == 0 ? " 0" : (std::isnan(v) ? " NaN" : (v > 0 ? " Inf" : "-Inf"));
    const double magnitude = std::fabs(v);
    const std::string sign = v < 0 ? "-" : " ";
    if (magnitude >= 1e-5 && magnitude < 1e7)
        return sign + fixedForm(magnitude);
    return sign + exponentForm(magnitude);
}

std::string shortestForm(float value)
{
    const float magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude))
        return shortForm(value);
    const std::string scientific = shortestScientific(magnitude);
    const std::string sign = value < 0 ? "-" : " ";
    if (magnitude >= 1e-5f && magnitude < 1e7f)
        return sign + shortestFixed(scientific);
    return sign + exponentStyle(scientific);
}

double readNumber(const std::string &text)
{
    const std::string s = compact(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H')
            return radixNumber(s, 2, 16);
        if (kind == 'O')
            return radixNumber(s, 2, 8);
    }
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        ++pos;
    const std::size_t intEnd = skipDigits(s, pos);
    std::size_t end = intEnd;
    bool digits = intEnd > pos;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fracEnd = skipDigits(s, end + 1);
        digits = digits || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!digits)
        return 0;
    std::string number = s.substr(s[0] == '+' ? 1 : 0, end - (s[0] == '+' ? 1 : 0));
    if (end < s.size() && (std::toupper(static_cast<unsigned char>(s[end])) == 'E'
                           || std::toupper(static_cast<unsigned char>(s[end])) == 'D')) {
        std::size_t expPos = end + 1;
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-'))
            ++expPos;
        const std::size_t expEnd = skipDigits(s, expPos);
        if (expEnd > expPos)
            number += "e" + s.substr(end + 1, expEnd - end - 1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const auto e = number.find('e');
        const long exponent = e == std::string::npos ? 0 : std::strtol(number.c_str() + e + 1, nullptr, 10);
        if (exponent < -leadingPlace(number))
            return 0;
        return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}
