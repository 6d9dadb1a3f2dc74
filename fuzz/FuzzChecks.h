#pragma once

#include <string>

// Ends the run with a report that libFuzzer records as a crash.
[[noreturn]] void fuzzFailure(const char *what, const std::string &detail);

inline void require(bool holds, const char *what, const std::string &detail)
{
    if (!holds)
        fuzzFailure(what, detail);
}

// Significant digits of a number as the programs write it: leading zeros
// and the exponent do not count, trailing zeros of the digits do.
int significantDigits(const std::string &text);

// Whether the text is one of the programs' number forms: a sign (blank or
// minus), then "0", "Inf", "NaN", plain digits with at most one point, or
// such digits followed by "E", a sign and at least two exponent digits.
bool isShortFormGrammar(const std::string &text);
