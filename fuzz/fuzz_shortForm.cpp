// Any single, as four bytes: its short form keeps the grammar, at most
// seven significant digits, and reads back within half a unit of the last;
// so does its shortest form, which reads back exactly when seven digits can.
#include "FuzzChecks.h"
#include "common/core/NumberForm.h"

#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size != sizeof(float))
        return 0;
    float value;
    std::memcpy(&value, data, sizeof value);
    const std::string shortText = shortForm(value);
    const std::string shortestText = shortestForm(value);
    require(isShortFormGrammar(shortText), "short form grammar", shortText);
    require(isShortFormGrammar(shortestText), "shortest form grammar", shortestText);
    if (!std::isfinite(value))
        return 0;
    const auto near = [value](const std::string &text) {
        return std::fabs(readNumber(text) - value) <= 5.0000001e-7 * std::fabs(value);
    };
    const bool exact = static_cast<float>(readNumber(shortestText)) == value;
    require(significantDigits(shortText) <= 7, "seven digits", shortText);
    require(near(shortText), "short form reads back", shortText);
    require(significantDigits(shortestText) <= 7, "seven digits", shortestText);
    require(exact || near(shortestText), "shortest form reads back", shortestText);
    if (static_cast<float>(readNumber(shortText)) == value)
        require(exact, "shortest form reads back exactly", shortestText);
    return 0;
}
