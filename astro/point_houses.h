// The house (1..12) of each body 1..10, bounded by the cusps.
#pragma once

#include "astro/chart_record.h"

namespace korv {

void ComputePointHouses(const ChartPoints& points, HouseCuspArray cusps, PointHouseArray& pointHouse);

}  // namespace korv
