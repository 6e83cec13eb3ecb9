// The chart record: positions of the ten bodies and the twelve house cusps for the
// birth moment, the same bodies a little later (for the daily motions), the aspect
// grid, the house of each body, cusp signs and house rulers.
//
// Angles are degrees, right ascension hours; longitudes are geocentric, ecliptic,
// mean equinox of date (no nutation, no aberration). Numbering: bodies 1 Sun .. 10
// Pluto, cusps I..XII as pseudo-points 32..43, signs 1 Aries .. 12 Pisces.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korv {

struct ChartPoint {
    double longitude = 0;       // [0, 360)
    double declination = 0;     // north positive
    double latitude = 0;        // ecliptic, north positive
    double rightAscension = 0;  // hours [0, 24)
    double dailyMotion = 0;     // degrees per day, negative when retrograde
    std::int32_t degree = 0;        // 0..359
    std::int32_t minute = 0;        // 0..59
    std::int32_t second = 0;        // 0..59, truncated
    std::int32_t sign = 0;          // 1..12
    std::int32_t degreeInSign = 0;  // 0..29
    std::int32_t signDegree = 0;    // degreeInSign + 1
    std::int32_t auxNumber = 0;     // affliction mark read by the report; nothing sets it yet
};

constexpr int kPointCount = 53;
constexpr int kBodyCount = 10;
constexpr int kFirstCuspPoint = 32;  // cusp of house i is point 31 + i
constexpr int kNoAspect = 255;

// Arrays keep the 1-based numbering: index 0 is unused.
using ChartPoints = std::array<ChartPoint, kPointCount + 1>;
using HouseCuspArray = std::array<double, 13>;
using AspectGridArray = std::array<std::array<std::int32_t, 11>, 11>;  // [i][j], 1-based
using PointHouseArray = std::array<std::int32_t, 45>;

struct ChartRecord {
    ChartPoints BirthPoints{};
    ChartPoints NextPoints{};        // one day later (Pluto 400 days); only longitude is used
    AspectGridArray AspectGrid{};    // [i][j]: aspect code of body i (row) with body j
    PointHouseArray PointHouse{};    // house 1..12 of bodies 1..10
    HouseCuspArray HouseCusps{};     // cusps 1..12
    std::array<std::uint8_t, 13> CuspSign{};
    std::array<std::uint8_t, 13> SignRuler{};   // ruling body of each sign; 0 = none
    std::array<std::uint8_t, 13> HouseRuler{};  // SignRuler of the cusp sign of each house

    ChartRecord();
};

// The classical rulers: Aries Mars, Taurus Venus, Gemini Mercury, Cancer Moon, Leo Sun,
// Virgo Mercury, Libra Venus, Scorpio Mars, Sagittarius Jupiter, Capricorn and Aquarius
// Saturn, Pisces Jupiter. Every house thus has an almuten for the report.
extern const std::array<std::uint8_t, 13> kClassicalSignRuler;

// Fills the cusp pseudo-points 32..43, the degree and sign fields of points 1..43,
// HouseRuler and CuspSign.
void FinishChartRecord(ChartRecord& chart);

// Names in Windows-1251: PointName 1..44, SignName 1..12. Out of range: empty.
const std::string& PointName(int point);
const std::string& SignName(int sign);

}  // namespace korv
