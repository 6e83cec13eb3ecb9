// Frame: moment in days since JD 2415020.0 UT; heliocentric, radians, mean equinox of date (then geocentric).
//
// Each series expands the elliptic motion in the planet's mean anomaly M (equation of centre
// and log r with coefficients linear in T), adds perturbations by the other planets, then
// reduces the orbital longitude u to the ecliptic with the node and inclination. Coefficients
// are seconds of arc over 206264.806247 and millionths of log10 r.
#include <cmath>

#include "astro/bodies.h"
#include "astro/planets_frame.h"

namespace korv {

namespace {

using series::Heliocentric;
using series::kArcsecPerRadian;
using series::ReduceRadians;
using std::cos;
using std::sin;

Heliocentric MercurySeries(double T) {
    const double V = 3.7095 + 1021.3258 * T;  // Venus
    const double J = 3.9333 + 52.9663 * T;    // Jupiter
    const double M = ReduceRadians(1.78511195 + 2608.787533 * T);

    const double logR = -407563.61 + 0.92 * T - (87878.82 + 8.46 * T) * cos(M) - (13416.31 + 2.6 * T) * cos(2 * M) -
                        (2579.08 + 0.75 * T) * cos(3 * M) - 548.05 * cos(4 * M) - 123.22 * cos(5 * M) -
                        28.74 * cos(6 * M) - 6.87 * cos(7 * M) - 1.68 * cos(8 * M) +
                        0.71 * cos(2 * V - 3 * M - 1.2413) + 2.37 * cos(2 * V - 2 * M - 1.2425) +
                        0.9 * cos(2 * V - M - 1.2303) + 0.76 * cos(2 * V - 4.3633) + 1.16 * cos(3 * V - 2 * M - 0.259) +
                        0.85 * cos(5 * V - 4 * M - 4.5293) + 2.95 * cos(5 * V - 3 * M - 4.5364) +
                        1.55 * cos(5 * V - M - 1.357) + 0.71 * cos(J - M - 1.5949) +
                        1.18 * cos(2 * J - 2 * M - 5.3576) + 3.27 * cos(2 * J - M - 5.3579);

    double u = M +
               ((84377.7 + 8.3 * T) * sin(M) + (10732.8 + 2.1 * T) * sin(2 * M) + (1892.1 + 0.6 * T) * sin(3 * M) +
                381.1 * sin(4 * M) + 82.6 * sin(5 * M) + 18.7 * sin(6 * M) + 4.4 * sin(7 * M) + 1.0 * sin(8 * M)) /
                   kArcsecPerRadian +
               1.3247 + 0.027148 * T + 0.000005 * T * T;
    u += (3.7 * cos(2 * V - M - 2.8046) + 2.1 * cos(2 * V - 2 * M - 2.8126) + 1.3 * cos(3 * V - 2 * M - 1.8288) +
          2.8 * cos(5 * V - 3 * M - 6.1063) + 7.6 * cos(5 * V - 2 * M - 6.0699) + 1.5 * cos(5 * V - M - 6.0685) +
          3.3 * cos(2 * J - M - 0.6458)) /
         kArcsecPerRadian;

    const double w = u - 0.822852 - 0.020686 * T;
    Heliocentric h;
    h.longitude = u - (772.2 * sin(2 * w) + 1.4 * sin(4 * w)) / kArcsecPerRadian;
    h.latitude = ArcSine(sin(0.122223 + 0.000032 * T) * sin(w)) - 6.7 * sin(w) / kArcsecPerRadian;
    h.radius = std::pow(10.0, logR / 1000000);
    return h;
}

Heliocentric VenusSeries(double T) {
    const double t = 6.2593 + 628.3074 * T;  // the Earth
    const double A = 5.5805 + 334.061 * T;   // Mars
    const double J = 3.9345 + 52.9689 * T;   // Jupiter
    const double M = ReduceRadians(3.71062623 + 1021.32835 * T + 0.0000224 * T * T);

    const double logR = (5.1 - (2962.4 - 20.7 * T) * cos(M) - 15.2 * cos(2 * M) + 2.2 * cos(t - M - 0.5081) +
                         9.8 * cos(2 * t - 2 * M - 1.0159) + 8.3 * cos(3 * t - 3 * M - 4.6674) +
                         0.7 * cos(3 * t - 2 * M - 0.8268) + 1.4 * cos(4 * t - 4 * M - 5.1747) +
                         0.5 * cos(5 * t - 5 * M - 5.7009) + 1.6 * cos(5 * t - 4 * M - 1.8188) +
                         0.7 * cos(3 * A - 2 * M - 2.2969) + 3 * cos(J - M - 2.0611) +
                         1.3 * cos(2 * J - 2 * M - 0.9628)) /
                            1000000 -
                        0.14066255;

    double u = M +
               ((2813.72 - 19.69 * T) * sin(M) + (12 - 0.17 * T) * sin(2 * M) + 5068.9 * T - 3.5 * T * T) /
                   kArcsecPerRadian +
               2.271787;
    u += (4.9 * cos(t - M - 2.0788) + 11.3 * cos(2 * t - 2 * M - 2.587) + 7.1 * cos(3 * t - 3 * M - 6.2384) +
          3.4 * cos(3 * t - 2 * M - 2.3721) + 1 * cos(4 * t - 4 * M - 0.4632) + 1.6 * cos(5 * t - 4 * M - 3.3847) +
          1.4 * cos(5 * t - 3 * M - 2.4099) + 2.8 * cos(13 * t - 8 * M - 3.9784) + 1.2 * cos(3 * A - M - 4.1464) +
          3 * cos(J - M - 3.6318) + 1.6 * cos(J - 4.6829) + 2.8 * sin(4.1406 + 2.6227 * T)) /
         kArcsecPerRadian;

    const double w = u - 1.322604 - 0.015705 * T;
    Heliocentric h;
    h.longitude = u - 181 * sin(2 * w) / kArcsecPerRadian;
    h.latitude = ArcSine(sin(0.05923 + 0.000018 * T) * sin(w)) + 3.6 * sin(w) / kArcsecPerRadian;
    h.radius = std::pow(10.0, logR);
    return h;
}

Heliocentric MarsSeries(double T) {
    const double J = ReduceRadians(5.576851 + 334.05356 * T);  // Mars
    const double g = ReduceRadians(3.7069 + 1021.3208 * T);    // Venus
    const double l = ReduceRadians(6.2555 + 628.2998 * T);     // the Earth
    const double o = ReduceRadians(3.9306 + 52.9614 * T + 0.0058 * sin(2.3457 + 0.672 * T));  // Jupiter
    const double M = ReduceRadians(5.576661 + 334.053549 * T + 0.00000316 * T * T);
    const double Mp = M + 52.5 * sin(0.8287 + 0.3451 * T) / kArcsecPerRadian;

    const double logR =
        0.182897 +
        (946.3 + 1.8 * T - (40391.7 + 39 * T) * cos(Mp) - (2820.9 + 5.4 * T) * cos(2 * Mp) -
         (248.1 + 0.7 * T) * cos(3 * Mp) - 24.1 * cos(4 * Mp) - 2.5 * cos(5 * Mp) + 7 * cos(J - l - 0.6126) +
         2.9 * cos(2 * J - l - 1.9757) + 6.4 * cos(3 * J - 2 * l - 1.1977) + 3.9 * cos(o - 2 * J - 5.522) +
         23.1 * cos(o - J - 5.5653) + 3 * cos(2 * o - 3 * J - 1.7957) + 22.1 * cos(2 * o - 2 * J - 1.7801) +
         16.6 * cos(2 * o - J - 1.7162) + 3.4 * cos(3 * o - 2 * J - 2.4389)) /
            1000000;

    double u = Mp +
               ((38450.9 + 37.3 * T) * sin(Mp) + (2237.7 + 4.3 * T) * sin(2 * Mp) + (180.6 + 0.5 * T) * sin(3 * Mp) +
                16.6 * sin(4 * Mp) + 1.7 * sin(5 * Mp)) /
                   kArcsecPerRadian +
               5.833208 + 0.03212714820610063 * T;
    u += (6.4 * cos(3 * J - g - 1.0053) + 8.6 * cos(J - l - 0.6126) + 14 * cos(2 * J - l - 0.3577) +
          7.4 * cos(3 * J - 2 * l - 2.7688) + 4.9 * cos(4 * J - 2 * l - 2.6894) + 2.6 * cos(5 * J - 3 * l - 4.897) +
          3.1 * cos(o - 2 * J - 0.8165) + 25.4 * cos(o - J - 0.8545) + 3.7 * cos(o - 5.9757) +
          2.1 * cos(2 * o - 3 * J - 3.3637) + 16 * cos(2 * o - 2 * J - 3.3492) + 21.9 * cos(2 * o - J - 3.2873) +
          2.6 * cos(3 * o - 2 * J - 3.9864) + 3.2 * cos(3 * o - J - 3.6164) + 1.6 * cos(15 * J - 8 * l - 2.9694) +
          1.5 * cos(3 * J - l - 0.3871) + 1.5 * cos(2 * o - 3.3103) + 1.3 * cos(3 * o - 3 * J - 2.9369) +
          1.2 * cos(7 * J - 4 * l - 0.7268)) /
         kArcsecPerRadian;

    const double w = u - 0.851483 - 0.0134565 * T;
    Heliocentric h;
    h.longitude = u - 53.8 * sin(2 * w) / kArcsecPerRadian;
    h.latitude = ArcSine(sin(0.032293 - 0.000012 * T) * sin(w)) - 2.25 * sin(w) / kArcsecPerRadian;
    h.radius = std::pow(10.0, logR);
    return h;
}

}  // namespace

void MercuryPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, MercurySeries, point, state);
}

void VenusPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, VenusSeries, point, state);
}

void MarsPosition(double moment, ChartPoint& point, EngineState& state) {
    series::StorePlanetPosition(moment, MarsSeries, point, state);
}

}  // namespace korv
