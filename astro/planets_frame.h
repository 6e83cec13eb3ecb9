// The frame shared by the Sun, Moon and planet series: the series' own constants and the
// last steps that turn a series position (ecliptic, radians, mean equinox of date) into the
// longitude, latitude, declination and right ascension of a ChartPoint.
// Internal to the body computations; the public entry points are in astro/bodies.h.
#pragma once

#include <cmath>

#include "astro/angles.h"
#include "astro/chart_record.h"

namespace korv::series {

// The series keep their own rounded constants; do not replace them with exact values.
constexpr double kArcsecPerRadian = 206264.806247;
constexpr double kTwoPi = 6.28318530718;
constexpr double kPi = 3.14159265359;
constexpr double kRadPerDeg = 0.017453292519944444;  // kPi / 180
constexpr double kEpochJulianDay = 2415020.0;        // moment 0

// Julian centuries since JD 2415020.0, taken through the Julian date of the moment.
inline double CenturiesOf(double moment) { return JulianCenturies(moment + kEpochJulianDay); }

// x - 2pi trunc(x / 2pi): keeps the sign of x, so negative angles stay negative.
inline double ReduceRadians(double x) { return x - kTwoPi * std::trunc(x / kTwoPi); }
// x - 360 trunc(x / 360), the degree counterpart.
inline double ReduceDegrees(double x) { return x - 360.0 * std::trunc(x / 360.0); }

// Ecliptic longitude lambda and latitude beta (radians, mean equinox of date) at distance r
// (au): reduces lambda, rotates to equatorial rectangular coordinates with the series
// obliquity (84428.26 - 46.845 T)", converts back to the ecliptic in `mode` (Sun: stores the
// vector; Planet: adds the Sun vector first; Moon: as given) and stores the point.
void StoreSeriesPosition(ConversionMode mode, double lambda, double beta, double r, double T,
                         ChartPoint& point, EngineState& state);

// A planet series' heliocentric result: ecliptic longitude and latitude in radians (mean
// equinox of date), radius vector in au.
struct Heliocentric {
    double longitude = 0;
    double latitude = 0;
    double radius = 0;
};
using PlanetSeries = Heliocentric (*)(double T);

// The planets' common frame: the Sun for the same moment first (refreshes the Sun vector),
// then the planet's series, then the heliocentric -> geocentric step and the point.
void StorePlanetPosition(double moment, PlanetSeries series, ChartPoint& point, EngineState& state);

}  // namespace korv::series
