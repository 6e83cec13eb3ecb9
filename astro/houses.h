// House cusps for a place (the 19-character coordinate text of the birth record) and a
// moment: Placidus below 65.0021 degrees of latitude, equal houses from the Midheaven
// at and above it. Cusps in degrees [0, 360), ecliptic of date.
#pragma once

#include <string>

#include "astro/chart_record.h"

namespace korv {

void ComputeHouseCusps(const std::string& coordText, double moment, HouseCuspArray& cusps);

}  // namespace korv
