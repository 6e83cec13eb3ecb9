#include "input/coordinates.h"

#include <cmath>
#include <cstdlib>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv {

std::string FormatCoordText(const GeoCoordinates& c) {
    const std::string degreeSign = "\xB0";
    const std::string apostrophe = "\x92";
    std::string text;
    text += padLeft(intText(c.lonDegrees), 3) + degreeSign + zeroPadded(c.lonMinutes, 2) + apostrophe;
    text += cp(c.east ? "ВД" : "ЗД");
    text += "  ";
    text += padLeft(intText(c.latDegrees), 2) + degreeSign + zeroPadded(c.latMinutes, 2) + apostrophe;
    text += cp(c.north ? "СШ" : "ЮШ");
    return text;
}

GeoCoordinates ParseCoordText(const std::string& text, const std::string& where) {
    if (text.size() != 19)
        throw Error(where + ": '" + cp1251ToUtf8(text) + "' — " + std::to_string(text.size()) +
                    " знаков, а нужно 19 (\" 37°37’ВД  55°45’СШ\")");
    // `where` and the messages are UTF-8 (they go to the terminal or a message box).
    auto number = [&](std::size_t first, std::size_t last, int most, const char* part) {
        const std::string field = cutColumns(text, first, last);
        const int value = parseInt(field, where + " (" + part + ")");
        if (value < 0 || value > most)
            throw Error(where + " (" + part + "): " + std::to_string(value) + " вне пределов 0.." + std::to_string(most));
        return value;
    };
    auto side = [&](std::size_t first, const std::string& yes, const std::string& no, const char* part) {
        const std::string field = cutColumns(text, first, first + 1);
        if (field != yes && field != no)
            throw Error(where + " (" + part + "): '" + cp1251ToUtf8(field) + "' — ни " + cp1251ToUtf8(yes) +
                        ", ни " + cp1251ToUtf8(no));
        return field == yes;
    };
    GeoCoordinates c;
    c.lonDegrees = number(1, 3, 179, "градусы долготы");
    c.lonMinutes = number(5, 6, 59, "минуты долготы");
    c.east = side(8, cp("ВД"), cp("ЗД"), "полушарие долготы");
    c.latDegrees = number(12, 13, 89, "градусы широты");
    c.latMinutes = number(15, 16, 59, "минуты широты");
    c.north = side(18, cp("СШ"), cp("ЮШ"), "полушарие широты");
    return c;
}

GeoCoordinates CoordinatesFromDecimal(double latitude, double longitude) {
    GeoCoordinates c;
    const long lonTotal = std::lround(std::fabs(longitude) * 60.0);
    const long latTotal = std::lround(std::fabs(latitude) * 60.0);
    c.lonDegrees = static_cast<int>(lonTotal / 60);
    c.lonMinutes = static_cast<int>(lonTotal % 60);
    c.east = longitude >= 0;
    c.latDegrees = static_cast<int>(latTotal / 60);
    c.latMinutes = static_cast<int>(latTotal % 60);
    c.north = latitude >= 0;
    return c;
}

}  // namespace korv
