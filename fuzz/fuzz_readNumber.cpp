// The number reader against a reading of its own: the longest prefix of
// the form [+-]digits[.digits][(E|D)[+-]digits], blanks removed, read by
// strtod, with "&H"/"&O" integers wrapping to 16 or 32 bits.
#include "FuzzChecks.h"
#include "common/core/NumberForm.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

std::string withoutBlanks(const char *data, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        if (!std::strchr(" \t\r\n", data[i]) || data[i] == '\0')
            text += data[i];
    return text;
}

std::size_t digitsFrom(const std::string &s, std::size_t at)
{
    while (at < s.size() && s[at] >= '0' && s[at] <= '9')
        ++at;
    return at;
}

double radixReading(const std::string &s)
{
    const bool hex = s[1] == 'h' || s[1] == 'H';
    std::uint32_t value = 0;
    bool any = false;
    for (std::size_t i = 2; i < s.size(); ++i) {
        const char *digits = hex ? "0123456789abcdef" : "01234567";
        const char *found = std::strchr(digits, std::tolower(static_cast<unsigned char>(s[i])));
        if (!found || *found == '\0')
            break;
        value = value * (hex ? 16 : 8) + static_cast<std::uint32_t>(found - digits);
        any = true;
    }
    if (!any)
        return 0;
    return value < 0x10000 ? static_cast<std::int16_t>(value) : static_cast<double>(static_cast<std::int32_t>(value));
}

// Returns the prefix in strtod's grammar, or an empty text when there is none.
std::string decimalPrefix(const std::string &s)
{
    std::size_t at = s.size() > 0 && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    const std::size_t whole = digitsFrom(s, at);
    std::size_t end = whole;
    std::size_t fraction = whole;
    if (end < s.size() && s[end] == '.')
        end = fraction = digitsFrom(s, end + 1);
    if (whole == at && fraction <= whole + 1)
        return {};
    std::string number = s.substr(0, end);
    if (end < s.size() && std::strchr("eEdD", s[end]) && s[end] != '\0') {
        std::size_t exponent = end + 1;
        if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-'))
            ++exponent;
        const std::size_t last = digitsFrom(s, exponent);
        if (last > exponent)
            number += "e" + s.substr(end + 1, last - end - 1);
    }
    return number;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const double read = readNumber(text);
    const std::string s = withoutBlanks(text.data(), text.size());
    if (s.size() >= 2 && s[0] == '&' && std::strchr("hHoO", s[1]) && s[1] != '\0') {
        require(read == radixReading(s), "radix integer", text);
        return 0;
    }
    const std::string number = decimalPrefix(s);
    if (number.empty()) {
        require(read == 0, "no number reads 0", text);
        return 0;
    }
    errno = 0;
    const double expected = std::strtod(number.c_str(), nullptr);
    if (std::fabs(expected) < DBL_MIN)
        require(read == 0 || read == expected, "underflow reads 0", text);
    else
        require(read == expected, "same value", text + " -> " + number);
    return 0;
}
