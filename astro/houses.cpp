// House cusps for a moment (days since JD 2415020.0, UT) and a place: sidereal time,
// Midheaven and Ascendant, then Placidus by ten fixed iterations of the semi-arc
// condition, or equal houses from the Midheaven at high latitudes. Ecliptic of date,
// degrees; the radians-per-degree factor of this computation is 0.017453292519943.
#include "astro/houses.h"

#include <cmath>

#include "astro/angles.h"
#include "common/numbers.h"
#include "common/text.h"
#include "input/coordinates.h"

namespace korv {
namespace {

constexpr double kRad = 0.017453292519943;

struct Place {
    double longitude = 0;  // degrees east, [0, 360]
    double latitude = 0;   // degrees, north positive
};

// The coordinate text (input/coordinates.h); one that does not read raises an error
// naming the part at fault, rather than computing houses for a wrong place.
Place parsePlace(const std::string& coordText) {
    const GeoCoordinates c = ParseCoordText(cutColumns(coordText, 1, 19), "Координаты места рождения");
    Place place;
    const double lon = c.lonDegrees + c.lonMinutes / 60.0;
    const double lat = c.latDegrees + c.latMinutes / 60.0;
    place.longitude = c.east ? lon : 360.0 - lon;
    place.latitude = c.north ? lat : -lat;
    return place;
}

// Right ascension of the Midheaven, radians [0, 2pi), for a moment and an east longitude.
double ramc(double moment, double longitude) {
    // The fraction of the day since the preceding 0h UT. (A sign-keeping fraction would
    // count moments before 1899-12-31 0h UT from the following midnight.)
    const double f = (moment + 0.5) - std::floor(moment + 0.5);
    const double T0 = (moment - f) / 36525.0;
    double ut = 24.0 * f;
    if (ut < 0) ut += 24.0;
    double theta0 = FracMod(24.0, 6.6460656 + 2400.051262 * T0 + 0.00002581 * T0 * T0);
    if (theta0 < 0) theta0 += 24.0;
    double theta = FracMod(24.0, longitude / 15.0 + theta0 + 1.002737909 * ut);
    if (theta < 0) theta += 24.0;
    return theta * 15.0 * kRad;
}

// The Placidus cusp whose right ascension R satisfies R = RAMC + a / k (upper half,
// a the diurnal semi-arc) or R = RAMC + pi - a / k (lower half, a the nocturnal one),
// after ten iterations from R = RAMC + R0. Degrees, not yet reduced.
double placidusCusp(double ramcRad, double eps, double phi, double R0, double k, bool upper) {
    double R = ramcRad + R0;
    const double s = upper ? -1.0 : 1.0;
    for (int i = 0; i < 10; ++i) {
        const double x = s * std::sin(R) * Tangent(eps) * Tangent(phi);
        const double a = ArcCosine(x);
        R = upper ? ramcRad + a / k : ramcRad + kPi - a / k;
    }
    double L = std::atan(Tangent(R) / std::cos(eps));
    if (L < 0) L += kPi;
    if (std::sin(R) < 0) L += kPi;
    return L / kRad;
}

}  // namespace

void ComputeHouseCusps(const std::string& coordText, double moment, HouseCuspArray& cusps) {
    const Place place = parsePlace(coordText);
    const double eps = ObliquityOfDate(moment);
    const double phi = place.latitude * kRad;
    const double R = ramc(moment, place.longitude);

    double mc = std::atan(Tangent(R) / std::cos(eps));
    if (mc < 0) mc += kPi;
    if (R > kPi) mc += kPi;
    mc = NormalizeDegrees(mc / kRad);

    double asc;
    const double h = -(std::sin(R) * std::cos(eps) + std::sin(eps) * Tangent(phi));
    if (std::fabs(h) <= 0.000001) {
        // The Ascendant at the limit h -> 0: due east of the meridian's quadrant.
        asc = std::cos(R) >= 0 ? 90.0 : 270.0;
    } else {
        double A = std::atan(std::cos(R) / h);
        if (A < 0) A += kPi;
        if (std::cos(R) < 0) A += kPi;
        asc = NormalizeDegrees(A / kRad);
    }

    HouseCuspArray c{};
    if (std::fabs(phi) < 1.1345) {
        c[4] = NormalizeDegrees(mc + 180.0);
        c[1] = asc;
        c[5] = placidusCusp(R, eps, phi, 0.52359877559829, 3.0, true) + 180.0;
        c[6] = placidusCusp(R, eps, phi, 1.04719755119658, 1.5, true) + 180.0;
        c[2] = placidusCusp(R, eps, phi, 2.09439510239316, 1.5, false);
        c[3] = placidusCusp(R, eps, phi, 2.61799387799145, 3.0, false);
        for (int i = 1; i <= 12; ++i) {
            c[i] = NormalizeDegrees(c[i]);
            if (i > 6) c[i] = NormalizeDegrees(c[i - 6] + 180.0);
        }
    } else {
        for (int k = 1; k <= 12; ++k) c[k] = NormalizeDegrees(mc + (k - 10) * 30.0);
    }
    for (int i = 1; i <= 12; ++i) cusps[i] = c[i];
}

}  // namespace korv
