#include "FuzzChecks.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <regex>

void fuzzFailure(const char *what, const std::string &detail)
{
    std::fprintf(stderr, "invariant broken: %s [%s]\n", what, detail.c_str());
    std::abort();
}

int significantDigits(const std::string &text)
{
    const std::string digits = text.substr(0, text.find('E'));
    int count = 0;
    bool leading = true;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            continue;
        leading = leading && c == '0';
        count += leading ? 0 : 1;
    }
    return count;
}

bool isShortFormGrammar(const std::string &text)
{
    static const std::regex grammar(R"([ -](0|Inf|NaN|[0-9]*\.?[0-9]+|[0-9]+(\.[0-9]+)?E[+-][0-9]{2,3}))");
    return std::regex_match(text, grammar);
}
