// The chart computation in its fixed order. Every body computation runs the Sun for its
// own moment first and leaves the Sun vector in `state`; Pluto clears it.
#include "astro/chart_computation.h"

#include <cmath>

#include "astro/aspects.h"
#include "astro/bodies.h"
#include "astro/houses.h"
#include "astro/point_houses.h"

namespace korv {
namespace {

// Days to the later moment of the daily motion: one day for the Sun..Neptune, 400 days
// for Pluto, whose table moves by whole degrees.
constexpr double kNextDay = 1.0f;
constexpr double kPlutoDays = 400.0f;

// A longitude difference folded into (-180, 180]: a body that passes 0 degrees of Aries
// between the two moments moves by a small amount, not by nearly a full circle.
double foldDifference(double d) {
    while (d > 180.0) d -= 360.0;
    while (d <= -180.0) d += 360.0;
    return d;
}

void planetsAt(double moment, ChartPoints& points, EngineState& state) {
    MoonPosition(moment, points[2], state);
    for (int body = 3; body <= 9; ++body) PlanetPosition(body, moment, points[body], state);
}

}  // namespace

void ComputeChart(TInData& birth, ChartRecord& chart, EngineState& state, PlutoTable& pluto) {
    pluto.refresh();
    ComputeChartWithReadTable(birth, chart, state, pluto);
}

void ComputeChartWithReadTable(TInData& birth, ChartRecord& chart, EngineState& state, const PlutoTable& pluto) {
    ConvertBirthData(birth);
    const double moment = birth.moment;
    ChartPoints& now = chart.BirthPoints;
    ChartPoints& next = chart.NextPoints;

    // Every body of one moment before the next moment's: the Sun's series then runs
    // once per moment (each body depends on its moment alone, so the order of the
    // moments changes no result).
    SunPosition(moment + kNextDay, next[1], state);
    planetsAt(moment + kNextDay, next, state);
    PlutoPosition(moment + kPlutoDays, next[10], state, pluto);

    SunPosition(moment, now[1], state);
    planetsAt(moment, now, state);
    PlutoPosition(moment, now[10], state, pluto);

    for (int k = 1; k <= 9; ++k) now[k].dailyMotion = foldDifference(next[k].longitude - now[k].longitude);
    now[10].dailyMotion = foldDifference(next[10].longitude - now[10].longitude) / kPlutoDays;

    ComputeHouseCusps(birth.coordText, moment, chart.HouseCusps);
    ComputeAspectGrid(now, chart.AspectGrid);
    ComputePointHouses(now, chart.HouseCusps, chart.PointHouse);
    FinishChartRecord(chart);
}

}  // namespace korv
