// The major aspects between the bodies: codes 0, 60, 90, 120, 180 or 255 (none) in the
// grid, rows 1..9 (the orb is the row body's), columns 2..10.
#pragma once

#include "astro/chart_record.h"

namespace korv {

void ComputeAspectGrid(const ChartPoints& points, AspectGridArray& grid);

}  // namespace korv
