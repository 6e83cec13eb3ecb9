// The chart computation: from the birth record to a complete chart record:
// ConvertBirthData; every body at moment + 1 (Pluto + 400) into NextPoints; every body
// at the moment into BirthPoints; daily motions; house cusps; aspects; houses;
// FinishChartRecord. The Sun vector in EngineState is scratch state that the bodies of
// one moment share.
#pragma once

#include "astro/angles.h"
#include "astro/chart_record.h"
#include "astro/pluto.h"
#include "input/birth_record.h"

namespace korv {

// Checks the Pluto table once (a changed file is read anew), then computes.
void ComputeChart(TInData& birth, ChartRecord& chart, EngineState& state, PlutoTable& pluto);
// The same with a table already read, which it leaves untouched: several threads may
// share one table.
void ComputeChartWithReadTable(TInData& birth, ChartRecord& chart, EngineState& state, const PlutoTable& pluto);

}  // namespace korv
