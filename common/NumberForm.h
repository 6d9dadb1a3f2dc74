#pragma once

#include <string>

// The locale-independent short form used for every number the programs write:
// " 10", " 1.711", " .03309", "-.5", " 1E-06".
std::string shortForm(float value);

// Reads the longest numeric prefix of a text, blanks ignored anywhere;
// a text without a number reads 0. The point is the only decimal separator.
double readNumber(const std::string &text);
