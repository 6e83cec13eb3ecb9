// Frame: moment in days since JD 2415020.0 UT; geocentric; Sun in radians, Moon in degrees; mean equinox of date.
#include <cmath>

#include "astro/bodies.h"
#include "astro/planets_frame.h"

namespace korv {

using series::kRadPerDeg;

void SunPosition(double moment, ChartPoint& point, EngineState& state) {
    using std::cos;
    using std::sin;
    state = EngineState{};
    const double T = series::CenturiesOf(moment);

    // Elliptic motion with Newcomb's elements.
    const double M = series::ReduceRadians(6.25658358 + 628.301946 * T + 0.0000026 * T * T);
    const double g = M + 0.000031 * sin(4.035 + 0.3526 * T) + 0.0000091 * sin(0.999 + 2.6227 * T);
    const double e = 0.01675104 - 0.0000418 * T;
    double lambda = 4.908229 + 0.03000526 * T + 0.0000079 * T * T + g + (0.0335009 - 0.00008358 * T) * sin(g) +
                    (0.0003507 - 0.00000175 * T) * sin(2 * g) + 0.00000511 * sin(3 * g);

    // Perturbations by Venus, Mars, Jupiter and the Moon.
    const double V = 3.708 + 1021.3229 * T;
    const double A = 5.5777 + 334.0556 * T;
    const double J = 3.9319 + 52.9635 * T;
    const double D = 6.1215 + 7771.38 * T;
    lambda += 0.0000312 * sin(D);
    lambda += 0.00002346 * cos(V + 5.2203 - g);
    lambda += 0.00002679 * cos(2 * V + 2.5886 - 2 * g);
    lambda += 0.00001211 * cos(2 * V + 5.5143 - 3 * g);
    lambda += 0.00000756 * cos(3 * V + 6.0258 - 4 * g);
    lambda += 0.00000496 * cos(3 * V + 5.5528 - 5 * g);
    lambda += 0.0000099 * cos(2 * g + 6.002 - 2 * A);
    lambda += 0.00000858 * cos(g + 3.4977 - 2 * A);
    lambda += 0.00003495 * cos(g + 3.1334 - J);
    lambda += 0.00001261 * cos(4.594 - J);
    lambda += 0.00001324 * cos(2 * g + 1.521 - 2 * J);
    lambda += 0.00000781 * cos(g + 1.911 - 2 * J);

    // Radius vector, corrected in millionths of its common logarithm.
    const double r0 = 1 + e * e / 2 - (e - 3 * e * e * e / 8) * cos(g) - (e * e / 2) * cos(2 * g) -
                      (3 * e * e * e / 8) * cos(3 * g);
    const double S = 13.4 * cos(D) + 2.4 * cos(V + 3.6491 - g) + 6.8 * cos(2 * V + 1.0178 - 2 * g) +
                     1.0 * cos(3 * V + 1.5284 - 3 * g) + 1.5 * cos(3 * V + 4.455 - 4 * g) +
                     2.1 * cos(2 * g + 4.4301 - 2 * A) + 7.1 * cos(g + 1.5629 - J) + 4 * cos(2 * g + 6.2327 - 2 * J) +
                     1.5 * cos(g + 0.3398 - 2 * J);
    const double r = r0 * std::pow(10.0, S / 1000000);

    series::StoreSeriesPosition(ConversionMode::Sun, lambda, 0.0, r, T, point, state);
    state.sunKnown = true;
    state.sunMoment = moment;
}

void EnsureSunVector(double moment, EngineState& state) {
    if (state.sunKnown && state.sunMoment == moment) return;
    ChartPoint scratch;
    SunPosition(moment, scratch, state);
}

void MoonPosition(double moment, ChartPoint& point, EngineState& state) {
    EnsureSunVector(moment, state);
    const double T = series::CenturiesOf(moment);
    const auto sn = [](double degrees) { return std::sin(degrees * kRadPerDeg); };
    const auto cs = [](double degrees) { return std::cos(degrees * kRadPerDeg); };
    using series::ReduceDegrees;

    // Fundamental arguments, degrees.
    double Lp = ReduceDegrees(270.4342 + 481267.8831 * T - 0.0011 * T * T);
    double M = ReduceDegrees(358.4758 + 35999.0498 * T - 0.0002 * T * T);
    double Mp = ReduceDegrees(296.1046 + 477198.8491 * T + 0.0092 * T * T);
    double D = ReduceDegrees(350.7375 + 445267.1142 * T - 0.0014 * T * T);
    double F = ReduceDegrees(11.2509 + 483202.0251 * T - 0.0032 * T * T);
    double Om = 259.1833 - 1934.142 * T + 0.0021 * T * T;
    if (std::fabs(Om) > 360) Om = std::copysign(ReduceDegrees(std::fabs(Om)), Om);

    // Additive terms.
    const double a = sn(51.2 + 20.2 * T);
    const double v = sn(346.56 + 132.87 * T);
    const double s = sn(Om);
    Lp += 0.004 * v + 0.002 * s;
    Mp += 0.0008 * a + 0.004 * v + 0.0025 * s;
    D += 0.002 * a + 0.004 * v + 0.002 * s;
    M -= 0.0018 * a;
    F += 0.004 * v - 0.0247 * s - 0.0043 * sn(Om + 275.05 - 2.3 * T);

    // The eccentricity factor multiplies only the five largest terms in M.
    const double E = 1 - 0.002495 * T - 0.0000075 * T * T;

    double lambda = Lp;
    lambda += 6.2888 * sn(Mp);
    lambda += 1.274 * sn(2 * D - Mp);
    lambda += 0.6583 * sn(2 * D);
    lambda += 0.2136 * sn(2 * Mp);
    lambda += -0.1856 * E * sn(M);
    lambda += -0.1143 * sn(2 * F);
    lambda += 0.0588 * sn(2 * D - 2 * Mp);
    lambda += 0.0572 * E * sn(2 * D - M - Mp);
    lambda += 0.0533 * sn(2 * D + Mp);
    lambda += 0.0459 * E * sn(2 * D - M);
    lambda += 0.041 * E * sn(Mp - M);
    lambda += -0.0347 * sn(D);
    lambda += -0.0305 * E * sn(M + Mp);
    lambda += 0.0153 * sn(2 * D - 2 * F);
    lambda += -0.0125 * sn(Mp + 2 * F);
    lambda += -0.011 * sn(2 * F - Mp);
    lambda += 0.0107 * sn(4 * D - Mp);
    lambda += 0.01 * sn(3 * Mp);
    lambda += 0.0085 * sn(4 * D - 2 * Mp);
    lambda += -0.0079 * sn(2 * D + M - Mp);
    lambda += -0.0068 * sn(2 * D + M);
    lambda += 0.0052 * sn(Mp - D);
    lambda += 0.005 * sn(D + M);
    lambda += 0.004 * sn(2 * D + Mp - M);
    lambda += 0.004 * sn(2 * Mp + 2 * D);
    lambda += 0.0039 * sn(4 * D);
    lambda += 0.0037 * sn(2 * D - 3 * Mp);
    lambda += 0.0027 * sn(2 * Mp - M);
    lambda += 0.0026 * sn(Mp - 2 * F - 2 * D);
    lambda += 0.0024 * sn(2 * D - M - 2 * Mp);
    lambda += -0.0023 * sn(Mp + D);
    lambda += 0.0022 * sn(2 * D - 2 * M);
    lambda += -0.0021 * sn(2 * Mp + M);
    lambda += -0.0021 * sn(2 * M);
    lambda += 0.0021 * sn(2 * D - Mp - 2 * M);
    lambda += -0.0018 * sn(Mp + 2 * D - 2 * F);
    lambda += -0.0016 * sn(2 * D + 2 * F);
    lambda += 0.0012 * sn(4 * D - M - Mp);
    lambda += -0.0011 * sn(2 * Mp + 2 * F);
    lambda += 0.0009 * sn(Mp - 3 * D);
    lambda += -0.0008 * sn(2 * D + Mp + M);
    lambda += 0.0008 * sn(4 * D - M - 2 * Mp);
    lambda += 0.0007 * sn(Mp - 2 * M);
    lambda += 0.0007 * sn(Mp - 2 * M - 2 * D);
    lambda += 0.0007 * sn(2 * D + M - 2 * Mp);
    lambda += 0.0006 * sn(2 * D - M - 2 * F);
    lambda += 0.0006 * sn(Mp + 4 * D);
    lambda += 0.0005 * sn(4 * Mp);
    lambda += 0.0005 * sn(4 * D - M);
    lambda += 0.0005 * sn(2 * Mp - D);

    double B = 0;
    B += 5.128 * sn(F);
    B += 0.281 * sn(Mp + F);
    B += 0.278 * sn(Mp - F);
    B += 0.173 * sn(2 * D - F);
    B += 0.055 * sn(2 * D + F - Mp);
    B += 0.046 * sn(2 * D - F - Mp);
    B += 0.033 * sn(2 * D + F);
    B += 0.017 * sn(2 * Mp + F);
    B += 0.009 * sn(2 * D + Mp - F);
    B += 0.009 * sn(2 * Mp - F);
    B += 0.008 * sn(2 * D - M - F);
    B += 0.004 * sn(2 * D - F - 2 * Mp);
    B += 0.004 * sn(Mp + 2 * D + F);
    B += 0.003 * sn(F - M - 2 * D);
    B += 0.002 * sn(2 * D + F - M - Mp);
    B += 0.002 * sn(2 * D + F - M);
    B += 0.002 * sn(2 * D - F - M - Mp);
    B += 0.002 * sn(Mp + F - M);
    B += 0.002 * sn(4 * D - F - Mp);
    B += -0.002 * sn(F + M);
    B += -0.002 * sn(3 * F);
    B += 0.002 * sn(Mp - M - F);
    B += -0.001 * sn(D + F);
    B += -0.001 * sn(Mp + F + M);
    B += 0.001 * sn(F - M - Mp);
    B += 0.001 * sn(F - M);
    B += 0.001 * sn(F - D);
    B += 0.001 * sn(F + 3 * Mp);
    B += 0.001 * sn(4 * D - F);
    B += 0.001 * sn(F + 4 * D - Mp);
    B += 0.001 * sn(Mp - 3 * F);
    B += 0.001 * sn(F + 4 * D - 2 * Mp);
    B += 0.001 * sn(2 * D - 3 * F);
    B += 0.001 * sn(2 * D + 2 * Mp - F);
    const double beta = B * (1 - 0.0004664 * cs(Om) - 0.0000754 * cs(Om + 275.05 - 2.3 * T));

    // Horizontal parallax, degrees; it gives the distance.
    double parallax = 0.950724;
    parallax += 0.051818 * cs(Mp);
    parallax += 0.009531 * cs(2 * D - Mp);
    parallax += 0.007843 * cs(2 * D);
    parallax += 0.002824 * cs(2 * Mp);
    parallax += 0.000857 * cs(2 * D + Mp);
    parallax += 0.000533 * cs(2 * D - M);
    parallax += 0.000401 * cs(2 * D - M - Mp);
    parallax += 0.00032 * cs(Mp - M);
    parallax += -0.000271 * cs(D);
    parallax += -0.000264 * cs(Mp + M);
    parallax += -0.000198 * cs(2 * F - Mp);
    parallax += 0.000173 * cs(3 * Mp);
    parallax += 0.000167 * cs(4 * D - Mp);
    parallax += -0.000111 * cs(M);
    parallax += 0.000103 * cs(4 * D - 2 * Mp);
    parallax += -0.000084 * cs(2 * Mp - 2 * D);
    parallax += -0.000083 * cs(2 * D + M);
    parallax += 0.000079 * cs(2 * D + 2 * Mp);
    parallax += 0.000072 * cs(4 * D);
    parallax += 0.000064 * cs(2 * D - M + Mp);
    parallax += -0.000063 * cs(2 * D + M - Mp);
    parallax += 0.000041 * cs(D + M);
    parallax += 0.000035 * cs(2 * Mp - M);
    parallax += -0.000033 * cs(3 * Mp - 2 * D);
    parallax += -0.00003 * cs(D + Mp);
    parallax += -0.000029 * cs(2 * F - 2 * D);
    parallax += -0.000029 * cs(2 * Mp + M);
    parallax += 0.000026 * cs(2 * D - 2 * M);
    parallax += -0.000023 * cs(2 * F - 2 * D + Mp);
    parallax += 0.000019 * cs(4 * D - M - Mp);
    const double r = 6378.14 / sn(parallax) / 149597870;

    series::StoreSeriesPosition(ConversionMode::Moon, lambda * kRadPerDeg, beta * kRadPerDeg, r, T, point, state);
}

}  // namespace korv
