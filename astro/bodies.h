// Positions of the Sun, the Moon and the planets Mercury..Neptune by analytic series.
// Each function takes a moment (days since JD 2415020.0, UT; T = moment / 36525) and
// writes longitude, declination, latitude and right ascension of `point`: geocentric,
// ecliptic, mean equinox of date, no nutation or aberration. Every function makes sure
// that `state` holds the Sun vector of its own moment (computing the Sun only when the
// state holds another moment's), for the heliocentric -> geocentric step; no other
// field of the point is touched.
#pragma once

#include "astro/angles.h"
#include "astro/chart_record.h"

namespace korv {

void SunPosition(double moment, ChartPoint& point, EngineState& state);
void MoonPosition(double moment, ChartPoint& point, EngineState& state);
// Runs the Sun's series for `moment` unless `state` already holds its vector.
void EnsureSunVector(double moment, EngineState& state);

void MercuryPosition(double moment, ChartPoint& point, EngineState& state);
void VenusPosition(double moment, ChartPoint& point, EngineState& state);
void MarsPosition(double moment, ChartPoint& point, EngineState& state);
void JupiterPosition(double moment, ChartPoint& point, EngineState& state);
void SaturnPosition(double moment, ChartPoint& point, EngineState& state);
void UranusPosition(double moment, ChartPoint& point, EngineState& state);
void NeptunePosition(double moment, ChartPoint& point, EngineState& state);

// The planet of body number 3 (Mercury) .. 9 (Neptune).
void PlanetPosition(int body, double moment, ChartPoint& point, EngineState& state);

}  // namespace korv
