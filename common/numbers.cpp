#include "common/numbers.h"

#include <cctype>
#include <cmath>
#include <charconv>
#include <limits>

#include "common/error.h"
#include "common/text.h"

namespace korv {
namespace {

[[noreturn]] void conversionError(std::string_view text, std::string_view kind, std::string_view where) {
    std::string message = "'" + cp1251ToUtf8(text) + "' is not a valid " + std::string(kind) + " value";
    if (!where.empty()) message = std::string(where) + ": " + message;
    throw Error(message);
}

}  // namespace

std::int32_t parseInt(std::string_view text, std::string_view where) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) conversionError(text, "integer", where);
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';
    long long value = 0;
    const std::size_t digitsStart = pos;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > std::numeric_limits<std::int32_t>::max() + 1LL) conversionError(text, "integer", where);
    }
    if (pos == digitsStart || pos != text.size()) conversionError(text, "integer", where);
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) conversionError(text, "integer", where);
    return static_cast<std::int32_t>(value);
}

double parseFloat(std::string_view text, std::string_view where) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) conversionError(text, "floating point", where);
    std::string_view rest = text.substr(pos);
    const bool plus = !rest.empty() && rest.front() == '+';
    if (plus) rest.remove_prefix(1);
    // One sign at most, then digits: no "nan" or "inf", which from_chars would take.
    const std::size_t first = !plus && !rest.empty() && rest.front() == '-' ? 1 : 0;
    if (first >= rest.size() ||
        !(std::isdigit(static_cast<unsigned char>(rest[first])) || rest[first] == '.'))
        conversionError(text, "floating point", where);
    double value = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || end != rest.data() + rest.size() || !std::isfinite(value))
        conversionError(text, "floating point", where);
    return value;
}

std::string intText(long long value) { return std::to_string(value); }

std::string fixedText(double value, int decimals) {
    // to_chars ignores the locale, so "." stays the separator under any LC_NUMERIC.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string zeroPadded(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    const int signWidth = value < 0 ? 1 : 0;
    if (static_cast<int>(digits.size()) + signWidth < width) digits.insert(0, width - signWidth - digits.size(), '0');
    return (value < 0 ? "-" : "") + digits;
}

}  // namespace korv
