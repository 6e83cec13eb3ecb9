// Angle and time helpers shared by the body computations and the house cusps.
// Time: moment = days since JD 2415020.0 (1899-12-31 12:00 UT); T = Julian centuries
// of 36525 days from the same epoch. Each helper keeps the constants of the theory it
// serves, including its own radians-per-degree factor; do not unify them, the results
// are compared with an independent transcription to 1e-6 degree.
#pragma once

#include <cmath>

#include "astro/chart_record.h"

namespace korv {

constexpr double kPi = 3.14159265358979323846;

// The Sun's geocentric equatorial rectangular coordinates in astronomical units, left
// by the Sun computation for the planets' heliocentric -> geocentric step. Owned by the
// caller and passed to every body computation, which runs the Sun first.
struct EngineState {
    double Xs = 0, Ys = 0, Zs = 0;
    // The moment the vector belongs to, when it is the Sun's: the bodies computed for
    // the same moment reuse it instead of running the Sun's series again.
    bool sunKnown = false;
    double sunMoment = 0;
};

// The fractional part of x, keeping the sign of x (Frac(-1.25) = -0.25).
inline double Frac(double x) { return x - std::trunc(x); }

// Degrees reduced to [0, 360): frac(x / 360) * 360, plus 360 when negative.
double NormalizeDegrees(double x);
// a * frac(b / a): the sign follows b.
double FracMod(double a, double b);
double DegToRad(double x);          // x * pi / 180
double Tangent(double x);           // sin x / cos x
double ArcSine(double x);           // arctan(x / sqrt(1 - x^2)); +-pi/2 at |x| = 1
double ArcCosine(double x);         // pi/2 - ArcSine(x)
// Obliquity of the ecliptic used for the houses, radians.
double ObliquityOfDate(double moment);
double JulianCenturies(double julianDay);

// Equatorial rectangular coordinates -> ecliptic longitude and latitude in degrees,
// with the fixed obliquity of the theories (cos 0.917408, sin 0.397949).
// mode 1: the Sun (its vector is stored in `state`); mode 10: the Moon (geocentric
// as given); mode 2: a planet (heliocentric: the Sun vector is added first).
enum class ConversionMode { Sun = 1, Planet = 2, Moon = 10 };
void EclipticFromEquatorial(ConversionMode mode, double X, double Y, double Z, EngineState& state,
                            double& longitude, double& latitude);

// The last steps of every body computation: declination and right ascension from the
// ecliptic position with the obliquity of date, then latitude and reduced longitude.
void StoreEclipticPosition(double lambda, double beta, double T, ChartPoint& point);

}  // namespace korv
