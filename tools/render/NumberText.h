#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelmo::render {

// Strict, locale-independent reading of numbers typed on the command line: the whole text must
// be the number (surrounding blanks allowed), and only finite values are accepted.

// A finite decimal number such as "-6", "0.25", "+3", "1e-3". False for anything else ("", "abc",
// "3x", "nan", "inf", hexadecimal).
bool ParseFiniteNumber(std::string_view text, double& value);

// A whole number in decimal without a fraction or exponent ("512", "-3"). False for anything
// else, including values beyond the 64-bit range.
bool ParseWholeNumber(std::string_view text, int64_t& value);

// True when text is one or more decimal digits and nothing else (an index as typed).
bool AllDigits(std::string_view text);

// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

// A number as a short text for messages: "50", "0.25", "-1e-05".
std::string NumberForMessage(double value);

} // namespace kelmo::render
