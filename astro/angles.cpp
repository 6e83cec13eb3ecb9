#include "astro/angles.h"

#include <cmath>

namespace korv {

double NormalizeDegrees(double x) {
    const double r = Frac(x / 360.0) * 360.0;
    if (r >= 0) return r;
    // A tiny negative angle would round up to exactly 360, outside [0, 360).
    const double wrapped = r + 360.0;
    return wrapped < 360.0 ? wrapped : 0.0;
}

double FracMod(double a, double b) { return a * Frac(b / a); }

double DegToRad(double x) { return x * kPi / 180.0; }

double Tangent(double x) { return std::sin(x) / std::cos(x); }

double ArcSine(double x) {
    // The arctangent form divides by zero at |x| = 1; the limit there is +-pi/2.
    if (x >= 1.0) return kPi / 2;
    if (x <= -1.0) return -kPi / 2;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcCosine(double x) { return kPi / 2 - ArcSine(x); }

double ObliquityOfDate(double moment) {
    const double T = moment / 36525.0;
    const double eps = 23.452294 - 0.0130125 * T - 0.00000164 * T * T + 0.000000503 * T * T * T;
    return DegToRad(eps);
}

double JulianCenturies(double julianDay) { return (julianDay - 2415020.0) / 36525.0; }

void EclipticFromEquatorial(ConversionMode mode, double X, double Y, double Z, EngineState& state,
                            double& longitude, double& latitude) {
    constexpr double kCosEps = 0.917408;
    constexpr double kSinEps = 0.397949;
    constexpr double kRadPerDeg = 0.01745329252;
    if (mode == ConversionMode::Sun) {
        state.Xs = X;
        state.Ys = Y;
        state.Zs = Z;
    } else if (mode == ConversionMode::Planet) {
        X += state.Xs;
        Y += state.Ys;
        Z += state.Zs;
    }
    double lambda, beta;
    if (X == 0.0) {
        // The tangent form divides by zero here; rotate the vector directly instead
        // (the same result the formulas give in the limit X -> 0).
        const double ye = Y * kCosEps + Z * kSinEps;
        const double ze = -Y * kSinEps + Z * kCosEps;
        lambda = ye > 0 ? kPi / 2 : ye < 0 ? -kPi / 2 : 0.0;
        beta = std::atan2(ze, std::fabs(ye));
    } else {
        const double y = Y / X;
        double alpha = std::atan(y);
        if (X < 0) alpha += kPi;
        const double c = std::cos(alpha);
        const double t = Z / X * c;
        const double u = kCosEps * y + kSinEps * t / c;
        lambda = std::atan(u);
        if (c < 0) lambda += kPi;
        beta = std::atan(std::cos(lambda) * (t * kCosEps / c - y * kSinEps));
    }
    latitude = beta / kRadPerDeg;
    longitude = lambda / kRadPerDeg;
    if (longitude < 0) longitude += 360.0;
}

void StoreEclipticPosition(double lambda, double beta, double T, ChartPoint& point) {
    constexpr double kRad = 0.017453292519944444;
    const double epsDeg = 23.452294 - (46.845 * T + 0.0059 * T * T - 0.001811 * T * T * T) / 3600.0;
    const double eps = epsDeg * kRad;
    const double l = lambda * kRad;
    const double b = beta * kRad;

    const double s = std::sin(b) * std::cos(eps) + std::cos(b) * std::sin(eps) * std::sin(l);
    // |s| = 1 (a pole) has the limit +-90 degrees instead of a division by zero.
    point.declination = std::fabs(s) >= 1.0 ? std::copysign(90.0, s) : std::atan(s / std::sqrt(1.0 - s * s)) / kRad;

    const double N = std::sin(l) * std::cos(eps) - Tangent(b) * std::sin(eps);
    const double D = std::cos(l);
    double H = std::atan(N / D) / kRad;
    if (D < 0 && N >= 0) H += 180.0;
    if (D >= 0 && N < 0) H += 360.0;
    if (D < 0 && N < 0) H += 180.0;
    point.rightAscension = H / 15.0;

    point.latitude = beta;
    point.longitude = NormalizeDegrees(lambda);
}

}  // namespace korv
