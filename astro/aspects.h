// The major aspects between the bodies: codes 0, 60, 90, 120, 180 or 255 (none) in the
// grid, rows 1..9 (the orb is the row body's), columns 2..10.
#pragma once

#include "astro/chart_record.h"

namespace korv {

void ComputeAspectGrid(const ChartPoints& points, AspectGridArray& grid);

// Whether the grid can ever hold `angle` for the bodies i < j. Seen from the Earth,
// Mercury stays within 28 degrees of the Sun and Venus within 48, so with the orbs
// above the Sun meets them only in conjunction, and Mercury meets Venus (at most 76
// degrees apart) only in conjunction or sextile.
constexpr bool AspectCanOccur(int i, int angle, int j) {
    if (i == 1 && (j == 3 || j == 4)) return angle == 0;
    if (i == 3 && j == 4) return angle == 0 || angle == 60;
    return true;
}

}  // namespace korv
