#pragma once

#include <string>

// The locale-independent short form used for every number the programs write:
// " 10", " 1.711", " .03309", "-.5", " 1E-06".
std::string shortForm(float value);

// The same style with the fewest digits that read back to the same single:
// a rounded result shows only the digits it was rounded to.
std::string shortestForm(float value);

// Reads the longest numeric prefix of a text, blanks ignored anywhere;
// a text without a number reads 0. The point is the only decimal separator.
double readNumber(const std::string &text);
