// Frame: T in Julian centuries since JD 2415020.0 UT; ecliptic radians, mean equinox of date; geocentric output.
#include "astro/planets_frame.h"

#include <cmath>

#include "astro/bodies.h"

namespace korv::series {

void StoreSeriesPosition(ConversionMode mode, double lambda, double beta, double r, double T,
                         ChartPoint& point, EngineState& state) {
    lambda = ReduceRadians(lambda);
    const double eps = (84428.26 - 46.845 * T) / kArcsecPerRadian;
    const double cosEps = std::cos(eps), sinEps = std::sin(eps);
    const double cosBeta = std::cos(beta), tanBeta = Tangent(beta), sinLambda = std::sin(lambda);
    const double X = r * cosBeta * std::cos(lambda);
    const double Y = r * cosBeta * (sinLambda * cosEps - tanBeta * sinEps);
    const double Z = r * cosBeta * (sinLambda * sinEps + tanBeta * cosEps);
    double longitude, latitude;
    EclipticFromEquatorial(mode, X, Y, Z, state, longitude, latitude);
    StoreEclipticPosition(longitude, latitude, T, point);
}

void StorePlanetPosition(double moment, PlanetSeries series, ChartPoint& point, EngineState& state) {
    EnsureSunVector(moment, state);
    const double T = CenturiesOf(moment);
    const Heliocentric h = series(T);
    StoreSeriesPosition(ConversionMode::Planet, h.longitude, h.latitude, h.radius, T, point, state);
}

}  // namespace korv::series

namespace korv {

void PlanetPosition(int body, double moment, ChartPoint& point, EngineState& state) {
    switch (body) {
        case 3: MercuryPosition(moment, point, state); break;
        case 4: VenusPosition(moment, point, state); break;
        case 5: MarsPosition(moment, point, state); break;
        case 6: JupiterPosition(moment, point, state); break;
        case 7: SaturnPosition(moment, point, state); break;
        case 8: UranusPosition(moment, point, state); break;
        case 9: NeptunePosition(moment, point, state); break;
        default: break;  // not a planet of these series: the point is left as it was
    }
}

}  // namespace korv
