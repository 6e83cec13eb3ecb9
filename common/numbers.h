// Number <-> text conversions with "." as the decimal separator whatever the locale.
// A text that does not convert raises korv::Error with the message
// "'%s' is not a valid integer value" (or "... floating point value"), prefixed by
// `where` when given (for example "System/set.dat, line 4").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korv {

// Decimal integer: leading blanks allowed, an optional sign, digits, nothing after.
// `text` is Windows-1251; the message shows it in UTF-8.
std::int32_t parseInt(std::string_view text, std::string_view where = {});
// Decimal number with an optional fraction and exponent; leading blanks allowed.
double parseFloat(std::string_view text, std::string_view where = {});

// Shortest form without leading zeros ("5", "-12").
std::string intText(long long value);
// Fixed notation, `decimals` digits after ".".
std::string fixedText(double value, int decimals);
// Zero-padded to `width` digits ("05"); negative values keep their sign in front.
std::string zeroPadded(long long value, int width);

}  // namespace korv
