#include "input/coordinates.h"

#include <cmath>
#include <cstdlib>

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
