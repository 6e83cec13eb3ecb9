// The chart computation: from the birth record to a complete chart record, in a fixed
// order (the Sun vector is shared scratch state, so the order matters):
// ConvertBirthData; every body at moment + 1 (Pluto + 400) into NextPoints; every body
// at the moment into BirthPoints; daily motions; house cusps; aspects; houses;
// FinishChartRecord.
#pragma once

#include "astro/angles.h"
#include "astro/chart_record.h"
#include "astro/pluto.h"
#include "input/birth_record.h"

namespace korv {

void ComputeChart(TInData& birth, ChartRecord& chart, EngineState& state, PlutoTable& pluto);

}  // namespace korv
