// `korvinaut-cli bench`: complete chart computations per second on one thread, for
// random births 1900-2100 at random places, once with the Pluto table kept in memory
// (the size and time of the file are still checked once per chart) and once with a
// fresh read of the table for every chart.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/cli/args.h"
#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "astro/chart_computation.h"
#include "common/error.h"
#include "common/numbers.h"
#include "input/coordinates.h"

namespace korv::cli {
namespace {

std::vector<TInData> randomBirths(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> year(1900, 2099), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    std::uniform_real_distribution<double> lat(-66.0, 66.0), lon(-179.0, 179.0), zone(-12.0, 12.0);
    std::vector<TInData> births(count);
    for (TInData& b : births) {
        // Drawn one by one: the order of function arguments is unspecified, and the same
        // seed must give the same births with every compiler.
        const int d = day(rng), m = month(rng), y = year(rng) + 1, h = hour(rng), mi = minute(rng), s = minute(rng);
        const double latitude = lat(rng), longitude = lon(rng);
        BirthLineFields f;
        f.name = "Bench";
        f.dateText = FormatDateText(d, m, y);
        f.timeText = FormatTimeText(h, mi, s);
        f.city = "";
        f.coordText = FormatCoordText(CoordinatesFromDecimal(latitude, longitude));
        f.zoneText = FormatZoneText(std::round(zone(rng)));
        f.sexCode = "M";
        f.dstCode = "Z";
        b.line = AssembleBirthLine(f);
    }
    return births;
}

struct Rate {
    double wall = 0;  // charts per second of elapsed time
    double cpu = 0;   // charts per second of the process's processor time (steadier on a busy machine)
};

// Charts per second over all births; `freshTable` gives every chart its own table object,
// which parses the file anew.
Rate chartsPerSecond(std::vector<TInData> births, const std::filesystem::path& table, bool freshTable,
                     double& checksum) {
    PlutoTable shared(table);
    EngineState state;
    ChartRecord chart;
    ComputeChart(births.front(), chart, state, shared);  // loads the table outside the timing
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    for (TInData& b : births) {
        if (freshTable) {
            PlutoTable own(table);
            ComputeChart(b, chart, state, own);
        } else {
            ComputeChart(b, chart, state, shared);
        }
        checksum += chart.HouseCusps[1] + chart.BirthPoints[2].longitude;
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {births.size() / elapsed.count(), births.size() / cpuSeconds};
}

}  // namespace

int RunBench(int argc, char** argv) {
    const Args args(argc, argv, {});
    args.allowOnly({"--dir", "--count", "--seed"});
    const int count = parseInt(args.value("--count", "50000"), "--count");
    if (count < 1) throw Error("--count: give a positive number of charts");
    const unsigned seed = static_cast<unsigned>(parseInt(args.value("--seed", "7"), "--seed"));
    const std::filesystem::path table = FoldersFromArgs(args).SysDir / "pluto.sys";
    const std::vector<TInData> births = randomBirths(count, seed);

    double checksum = 0;
    const Rate inMemory = chartsPerSecond(births, table, false, checksum);
    const int freshCount = count < 2000 ? count : 2000;
    const Rate fresh =
        chartsPerSecond(std::vector<TInData>(births.begin(), births.begin() + freshCount), table, true, checksum);
    std::printf("Random births 1900-2100, one thread; charts per second of elapsed / processor time\n");
    std::printf("  table in memory:        %8.0f / %8.0f charts/s  (%d charts, %.1f us of processor time each)\n",
                inMemory.wall, inMemory.cpu, count, 1e6 / inMemory.cpu);
    std::printf("  table read every chart: %8.0f / %8.0f charts/s  (%d charts, %.1f us of processor time each)\n",
                fresh.wall, fresh.cpu, freshCount, 1e6 / fresh.cpu);
    std::printf("  (checksum %.6f)\n", checksum);
    return 0;
}

}  // namespace korv::cli
