#pragma once
// Locale-independent numbers: "." is always the decimal point, whatever
// locale the process runs in.
#include <string>
#include <string_view>

namespace platform {

// The value with exactly `decimals` decimals, rounded as C's "%.*f" rounds.
// Infinite or undefined values give "".
std::string FormatFixed(double value, int decimals);

// Reads the longest prefix that is a decimal number (leading white space, an
// optional sign, digits with "." as the point, an optional exponent), as C's
// strtod in the "C" locale does, but without "inf", "nan" or hexadecimal forms.
// No number gives 0. `used` receives the number of characters consumed
// (0 when there was no number).
double ParseDouble(std::string_view text, size_t* used = nullptr);

// Reads a decimal integer prefix as C's atoi does (white space, sign, digits);
// no number gives 0; values beyond the range of int are clamped.
int ParseInt(std::string_view text);

}  // namespace platform
