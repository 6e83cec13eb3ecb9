// The coordinate text of the birth record, 19 Windows-1251 characters, longitude first:
//   1-3 degrees (right-aligned), 4 degree sign (0xB0), 5-6 minutes, 7 apostrophe (0x92),
//   8-9 "ВД"/"ЗД", 10-11 blanks, 12-13 degrees, 14 degree sign, 15-16 minutes,
//   17 apostrophe, 18-19 "СШ"/"ЮШ".
#pragma once

#include <string>

namespace korv {

struct GeoCoordinates {
    int lonDegrees = 0;          // 0..179
    int lonMinutes = 0;          // 0..59
    bool east = true;
    int latDegrees = 0;          // 0..89
    int latMinutes = 0;          // 0..59
    bool north = true;
};

std::string FormatCoordText(const GeoCoordinates& c);
// Reads a coordinate text back. Degrees beyond 179 (longitude) or 89 (latitude),
// minutes beyond 59, a hemisphere other than ВД/ЗД and СШ/ЮШ, and a text of another
// length raise korv::Error, prefixed by `where` (UTF-8) and naming the part at fault
// in Russian ("градусы долготы").
GeoCoordinates ParseCoordText(const std::string& text, const std::string& where);
// Decimal degrees (east and north positive) rounded to whole minutes.
GeoCoordinates CoordinatesFromDecimal(double latitude, double longitude);

}  // namespace korv
