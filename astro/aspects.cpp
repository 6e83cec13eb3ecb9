// The aspect grid: for each row body 1..9 and column body 2..10, the separation of the
// two longitudes (degrees, folded into [0, 180]) is tested against the exact aspect
// angles with the orb of the row body, so the grid is not symmetric.
#include "astro/aspects.h"

#include <cmath>

namespace korv {
namespace {

// Orb of each body as the row body, degrees (Pluto's is never used: it heads no row).
constexpr double kAspectOrb[kBodyCount + 1] = {0, 12, 10, 8, 8, 8, 8, 8, 5, 5, 5};
// The exact angles in the order tested: a later angle within the orb wins.
constexpr int kAspectAngles[] = {0, 60, 90, 120, 180};

}  // namespace

void ComputeAspectGrid(const ChartPoints& points, AspectGridArray& grid) {
    for (int i = 1; i <= 9; ++i) {
        for (int j = 2; j <= kBodyCount; ++j) {
            double d = std::fabs(points[i].longitude - points[j].longitude);
            if (d > 180.0) d = 360.0 - d;
            const double orb = kAspectOrb[i];
            int code = kNoAspect;
            for (int angle : kAspectAngles)
                if (std::fabs(d - angle) <= orb) code = angle;
            grid[i][j] = code;
        }
    }
}

}  // namespace korv
