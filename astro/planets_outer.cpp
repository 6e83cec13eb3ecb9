// Frame: moment in days since JD 2415020.0 UT; heliocentric, radians (Neptune degrees), mean equinox of date.
//
// Jupiter and Saturn: a mean anomaly corrected by a time shift for the mutual perturbations,
// a conic for the radius, and the general precession from the fixed equinox of 1850 to the
// equinox of date. Uranus: mean longitude plus perturbation products. Neptune: perturbed
// orbital elements and Kepler's equation.
#include <cmath>

#include "astro/bodies.h"
#include "astro/planets_frame.h"

namespace korv {

namespace {

using series::Heliocentric;
using series::kArcsecPerRadian;
using series::kRadPerDeg;
using series::ReduceRadians;
using std::cos;
using std::sin;

// Time in Julian years from 1850.0 (f = 0 at T = -0.49998631...).
double YearsFrom1850(double T) { return 100 * T + 49.99863107460643395; }

Heliocentric JupiterSeries(double T) {
    const double f = YearsFrom1850(T);
    const double g = ReduceRadians(2.58366097 + 0.529691136 * f);  // Jupiter
    const double l = ReduceRadians(4.969245 + 0.2132996 * f);      // Saturn
    const double o = ReduceRadians(3.842683 + 0.0747862 * f);      // Uranus
    const double Y = 0.08430296 * f;

    // Time shift in days (the series is in millionths of a day).
    const double delta =
        (39928 * Y * sin(3.969972 - g) + 37294 * sin(l + 2.634308) + 266919 * sin(l - g + 1.382349) +
         22776 * sin(2 * l + 2.161241) + 411235 * sin(2 * l - g + 0.02466) + 650670 * sin(2 * l - 2 * g + 5.879958) +
         46930 * sin(3 * l - g + 5.448768) + 276299 * sin(3 * l - 2 * g + 2.223234) +
         54251 * sin(3 * l - 3 * g + 1.007312) + 56290 * sin(4 * l - 2 * g + 1.718587) +
         50072 * sin(4 * l - 3 * g + 0.454571) + 538023 * sin(5 * l - 3 * g + 3.079881) +
         1888 * Y * sin(5 * l - 3 * g + 1.411884) + 36853 * sin(10 * l - 4 * g + 5.4748 + 0.00071 * f) +
         (3998745 - 2213 * Y) * sin(5 * l - 2 * g + 1.171968 - 0.0003974 * f) +
         28956 * sin(6 * l - 2 * g + 3.27831 - 3 * o)) /
        1000000;

    const double Ms = 0.5296909443153687438 * (f + 4.877675 + delta / 365.25);
    const double v = Ms + 0.096477922540842731706 * sin(Ms) + 600 * sin(2 * Ms) / kArcsecPerRadian +
                     25 * sin(3 * Ms) / kArcsecPerRadian;
    const double lp = v + 0.207824;
    const double sinBeta = 0.02289 * sin(lp - 1.7267) + 4.4 / kArcsecPerRadian * Y * sin(v + 0.62);

    const double S = 126 * Y * cos(3.9698 - g) + 545 * cos(l - g + 1.3821) + 61 * cos(2 * l + 5.3265) +
                     383 * cos(2 * l - g + 6.2167) + 2303 * cos(2 * l - 2 * g + 5.88) +
                     62 * cos(2 * l - 3 * g + 5.8151) + 56 * cos(3 * l - g + 2.322) +
                     738 * cos(3 * l - 2 * g + 2.2095) + 241 * cos(3 * l - 3 * g + 1.0213) +
                     85 * cos(4 * l - 2 * g + 1.6416) + 193 * cos(4 * l - 3 * g + 0.4714) +
                     60 * cos(4 * l - 4 * g + 2.2314) + 229 * cos(5 * l - 2 * g + 4.152) +
                     1679 * cos(5 * l - 3 * g + 3.0787) + 65 * cos(5 * l - 4 * g + 2.4648);

    Heliocentric h;
    h.longitude = lp + 27 * sin(2 * lp + 5.9711) / kArcsecPerRadian + 50.265 / kArcsecPerRadian * f;
    h.latitude = ArcSine(sinBeta);
    h.radius = 5.1906885 / (1 + 0.0482538 * cos(v)) * std::pow(10.0, S / 10000000);
    return h;
}

Heliocentric SaturnSeries(double T) {
    const double f = YearsFrom1850(T);
    const double g = ReduceRadians(2.58366097 + 0.529691136 * f);  // Jupiter
    const double l = ReduceRadians(4.969245 + 0.2132996 * f);      // Saturn
    const double o = ReduceRadians(3.842683 + 0.0747862 * f);      // Uranus
    const double Y = 0.03394769 * f;

    // Time shift in days (the series is in hundred-thousandths of a day).
    const double delta =
        (65776 * Y * sin(l + 4.1536) + 1344 * Y * sin(2 * l + 4.1536) + 10041 * sin(1.5144 - g) +
         5977 * sin(l - g + 3.3089) + 350470 * sin(2 * l - g + 3.1665) + 1021 * Y * sin(2 * l - g + 2.1372) +
         27834 * sin(3 * l - g + 2.1158) + 21710 * sin(3 * l - 2 * g + 2.3661) +
         567852 * sin(4 * l - 2 * g + 4.8415) + 26600 * sin(2 * l - 2 * g + 2.7397) +
         4045 * Y * sin(4 * l - 2 * g + 3.1343) + 2415265 * sin(5 * l - 2 * g + 4.3129 - 0.000398 * f) +
         3425 * Y * sin(5 * l - 2 * g + 1.1713 - 0.00039 * f) + 505 * Y * sin(6 * l - 2 * g + 2.199) +
         5410 * sin(3 * l - 3 * g + 4.0908) + 3820 * sin(4 * l - 3 * g + 3.5476) +
         5189 * sin(7 * l - 3 * g + 0.5481) + 7330 * sin(9 * l - 4 * g + 2.8572) +
         22255 * sin(10 * l - 4 * g + 2.3321 - 0.000718 * f) + 6604 * sin(o - l + 1.3794) +
         6313 * sin(2 * o - l + 6.1834) + 10175 * sin(2 * o - 2 * l + 5.8769) + 23440 * sin(3 * o - l + 5.616) +
         19196 * sin(3 * o - 2 * l + 2.0827) + 23778 * sin(6 * l - 2 * g + 0.121 - 3 * o)) /
        100000;

    const double Ms = 0.2132996 * (f + 23.29702 + delta / 365.25);
    // The third term of the equation of centre is +(13/12) e^3 = +39.4" for e = 0.0560608 (the
    // same sign as Jupiter's +25"); subtracting it doubles the longitude error.
    const double v = Ms + 23118 * sin(Ms) / kArcsecPerRadian + 809 * sin(2 * Ms) / kArcsecPerRadian +
                     39 * sin(3 * Ms) / kArcsecPerRadian;
    const double lp = v + 1.572733;
    const double sinBeta = 0.0435189 * sin(lp - 1.96084) + 0.00011766428040533935 * Y * sin(v + 1.345);

    const double S = 1826 + 12 * Y + 187 * cos(l + 5.1559) + 835 * Y * cos(l + 1.012) +
                     3783 * cos(l - g + 1.3919) + 2443 * cos(2 * l - g + 3.0725) + 241 * cos(3 * l - g + 5.3391) +
                     644 * cos(2 * l - 2 * g + 2.7328) + 421 * cos(3 * l - 2 * g + 2.4778) +
                     7005 * cos(4 * l - 2 * g + 4.8391) + 1142 * cos(5 * l - 2 * g + 1.0965 - 0.00043 * f) +
                     235 * cos(3 * l - 2 * g + 2.0786) + 147 * cos(3 * l - 3 * g + 4.0829) +
                     50 * Y * cos(4 * l - 2 * g + 3.1353) + 23 * Y * cos(2 * l + 1.024);

    Heliocentric h;
    // Unlike Jupiter's, this term takes twice the true anomaly, not twice the longitude.
    h.longitude = lp + 98 * sin(2 * v + 2.3654) / kArcsecPerRadian + 50.2647 / kArcsecPerRadian * f;
    h.latitude = ArcSine(sinBeta);
    h.radius = 9.508864 / (1 + 0.0560608 * cos(v)) * std::pow(10.0, S / 10000000);
    return h;
}

Heliocentric UranusSeries(double T) {
    const double lambda0 = 4.247475 + 7.503143 * T + 0.00017 * T * T;
    const double l = 1.297 + 7.4788 * T;   // Uranus
    const double h = 0.7215 + 3.813 * T;   // Neptune
    const double m = 3.0675 + 21.3299 * T;  // Saturn
    const double o = 3.9343 + 52.9691 * T;  // Jupiter

    const double q = l - h;
    const double cq1 = cos(q), sq1 = sin(q);
    const double cq2 = cos(2 * q), sq2 = sin(2 * q);
    const double cq3 = cos(3 * q), sq3 = sin(3 * q);
    const double cs = cos(m - l), ss = sin(m - l);
    const double cj = cos(o - l), sj = sin(o - l);
    const double t1 = T + 1;

    const double A = sin(l) * (112 * T + 4 * cj - 16 * cq3 + 8 * sq3 - 2 * sj - 2 * T * T - 8);
    const double B = cos(l) * (4 * t1 + 9 * cq3 - 5 * cq1 + 4 * sq1 + 18 * sq3 - 68 * T - 10 * T * T);
    const double C = 8.5 * t1 + 1.75 * t1 * t1 - 22 + 4 * cq3 + 29 * cq2 - 29 * cq1 + 20 * sq1 + 10 * sq2 +
                     14 * sq3 - 19 * cs + 13 * ss + 76 * cos(3 * l - m) + 20 * cos(m - 2 * l) +
                     143 * sin(m - 2 * l) - 102 * sin(3 * l - m) - 21 * cj - 49 * sj;

    Heliocentric helio;
    helio.longitude = lambda0 + (19402 * sin(l) + 570 * sin(2 * l) + 23 * sin(3 * l) + A + B + C +
                                 7 * T * sin(2 * l) - 4 * T * cos(2 * l) + sin(3 * l) * (3 * ss - 5 * cs) +
                                 cos(3 * l) * (3 * cs + 5 * ss)) /
                                    kArcsecPerRadian;
    const double logR = 1.283294 + (-20414 * cos(l) - 720 * cos(2 * l) - 71 * T * sin(l) - 130 * T * cos(l) -
                                    76 * sin(l - m) - 133 * cos(2 * l - m) - 103 * cos(l - o) - 45 * sin(l - o)) /
                                       1000000;
    helio.latitude = ArcSine(0.013485 * sin(helio.longitude - 1.2826 - 0.0089 * T));
    helio.radius = std::pow(10.0, logR);
    return helio;
}

// atan |num / den| in degrees, placed in the quadrant given by the signs of num and den.
double QuadrantDegrees(double num, double den) {
    const double a = std::atan(std::fabs(num / den)) / kRadPerDeg;
    if (num >= 0) return den >= 0 ? a : 180 - a;
    return den < 0 ? 180 + a : 360 - a;
}

Heliocentric NeptuneSeries(double T) {
    const auto sn = [](double degrees) { return sin(degrees * kRadPerDeg); };
    const auto cs = [](double degrees) { return cos(degrees * kRadPerDeg); };

    // Arguments, degrees.
    const double u = T / 5 + 0.1;
    const double P = 273.47555 + 3034.906 * T;
    const double Q = 265.9165 + 1222.114 * T;
    const double S = 243.51721 + 428.4617 * T;
    const double G = 83.76922 + 218.4901 * T;
    const double H = 2 * G - S;
    const double zeta = G - P;
    const double eta = G - Q;
    const double theta = G - S;

    // Elements, degrees (the argument of perihelion is implied by L - M - node).
    double L = 84.45799 + 219.8859 * T + 0.0003 * T * T;
    double M = 37.73063 + 218.4613 * T;
    double e = 0.00899704 + 0.00000633 * T;
    const double i = 1.779242 - 0.009544 * T;
    const double node = 130.6814 + 1.098935 * T + 0.00025 * T * T;
    double a = 30.10957;

    // Perturbations by Uranus; the anomaly's correction divides by e before e is perturbed.
    const double dL = (0.001089 * u - 0.589833) * sn(H) + (0.004658 * u - 0.056094) * cs(H) - 0.024286 * sn(2 * H);
    L += dL;
    M += dL - (0.024039 * sn(H) - 0.025303 * cs(H) + 0.006206 * sn(2 * H) - 0.005992 * cs(2 * H)) / e;
    e += (4389 * sn(H) + 4262 * cs(H) + 1129 * sn(2 * H) + 1089 * cs(2 * H)) / 10000000;
    a += (-817 * sn(H) + 8189 * cs(H) + 781 * cs(2 * H)) / 1000000;

    // Kepler's equation in degrees, always five iterations.
    double E = M;
    for (int k = 0; k < 5; ++k) E = M + e * (180 / series::kPi) * sn(E);

    const double v = QuadrantDegrees(std::sqrt(1 - e * e) * sn(E), cs(E) - e);
    double r = a * (1 - e * cs(E));

    const double w = L + v - M - node;
    double lambda = QuadrantDegrees(cs(i) * sn(w), cs(w)) + node;
    double beta = ArcSine(sn(i) * sn(w)) / kRadPerDeg;

    lambda += -0.009556 * sn(zeta) - 0.005178 * sn(eta) + 0.002572 * sn(2 * theta) -
              0.002979 * cs(2 * theta) * sn(G) - 0.002833 * sn(2 * theta) * cs(G);
    beta += 0.000336 * cs(2 * theta) * sn(G) + 0.000364 * sn(2 * theta) * cs(G);
    r += (-40596 + 4992 * cs(zeta) + 2744 * cs(eta) + 2044 * cs(theta) + 1051 * cs(2 * theta)) / 1000000;

    Heliocentric helio;
    helio.longitude = lambda * kRadPerDeg;
    helio.latitude = beta * kRadPerDeg;
    helio.radius = r;
    return helio;
}

}  // namespace

void JupiterPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, JupiterSeries, point, state);
}

void SaturnPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, SaturnSeries, point, state);
}

void UranusPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, UranusSeries, point, state);
}

void NeptunePosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, NeptuneSeries, point, state);
}

}  // namespace korv
