// The house of each body: house i runs from cusp i (inclusive) to cusp i + 1
// (exclusive), house 12 from cusp 12 to cusp 1; a house whose end cusp is smaller than
// its start contains 0 degrees of Aries. Every house is tested in turn and a later
// match overwrites an earlier one.
#include "astro/point_houses.h"

namespace korv {
namespace {

bool inHouse(double lambda, double lo, double hi) {
    if (hi > lo) return lo <= lambda && lambda < hi;
    if (hi < lo) return (lo <= lambda && lambda < 360.0) || lambda < hi;
    return false;  // equal cusps: an empty house
}

}  // namespace

void ComputePointHouses(const ChartPoints& points, HouseCuspArray cusps, PointHouseArray& pointHouse) {
    for (int k = 1; k <= kBodyCount; ++k) {
        const double lambda = points[k].longitude;
        for (int i = 1; i <= 12; ++i) {
            const double lo = cusps[i];
            const double hi = cusps[i == 12 ? 1 : i + 1];
            if (inHouse(lambda, lo, hi)) pointHouse[k] = i;
        }
    }
}

}  // namespace korv
