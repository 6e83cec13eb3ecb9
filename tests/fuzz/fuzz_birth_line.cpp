// A birth line: conversion never crashes; a line that converts assembles back from its
// fields into a line that converts to the same record and moment; its chart computes
// (or stops with an error) and stays in range.
#include <cmath>

#include "astro/chart_computation.h"
#include "common/error.h"
#include "fuzz_support.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PlutoTable table(std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data" / "System" / "pluto.sys");
    static const bool loaded = (table.refresh(), true);
    (void)loaded;

    TInData record;
    record.line = fuzz::bytesOf(data, size);
    try {
        ConvertBirthData(record);
    } catch (const Error&) {
        return 0;
    }
    BirthLineFields f{record.name, record.dateText, record.timeText, record.city,
                      record.coordText, record.zoneText, record.sexCode, record.dstCode};
    TInData again;
    again.line = AssembleBirthLine(f);
    try {
        ConvertBirthData(again);
    } catch (const Error&) {
        fuzz::broken("a converted line does not convert after reassembling");
    }
    if (again.moment != record.moment || again.name != record.name || again.city != record.city)
        fuzz::broken("a converted line converts back to another record");

    if (record.coordText.find_first_not_of(' ') == std::string::npos) return 0;
    ChartRecord chart;
    EngineState state;
    try {
        ComputeChartWithReadTable(record, chart, state, table);
    } catch (const Error&) {
        return 0;
    }
    for (int p = 1; p <= 10; ++p) {
        const double l = chart.BirthPoints[p].longitude;
        if (!(l >= 0 && l < 360)) fuzz::broken("a longitude outside [0, 360)");
        if (chart.PointHouse[p] < 1 || chart.PointHouse[p] > 12) fuzz::broken("a body without a house");
    }
    return 0;
}
