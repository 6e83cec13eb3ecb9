// Every bit of a fixed set of charts, compared with the fingerprints the engine gave
// when they were recorded (tests/data/engine/golden_charts.txt). Speed work on the
// engine must keep each result bit for bit; a deliberate change of a result re-records
// them: KORV_RECORD_GOLDEN=1 build/tests/core_tests --gtest_filter='EngineGolden.*'.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "astro/chart_computation.h"
#include "input/coordinates.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

fs::path goldenFile() { return fs::path(KORVINAUT_SOURCE_DIR) / "tests" / "data" / "engine" / "golden_charts.txt"; }

// Births spread over 1700-2300 (both sides of the Pluto table) and latitudes up to 70
// degrees (equal houses beyond the polar circle), drawn one value at a time so that
// every compiler draws the same ones.
std::vector<std::string> goldenBirthLines() {
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> year(1700, 2299), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    std::uniform_real_distribution<double> lat(-70.0, 70.0), lon(-179.0, 179.0), zone(-12.0, 12.0);
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i) {
        const int d = day(rng), m = month(rng), y = year(rng), h = hour(rng), mi = minute(rng), s = minute(rng);
        const double latitude = lat(rng), longitude = lon(rng), z = zone(rng);
        BirthLineFields f;
        f.name = "Golden";
        f.dateText = FormatDateText(d, m, y);
        f.timeText = FormatTimeText(h, mi, s);
        f.coordText = FormatCoordText(CoordinatesFromDecimal(latitude, longitude));
        f.zoneText = FormatZoneText(std::round(z));
        f.sexCode = i % 2 ? "F" : "M";
        f.dstCode = i % 3 ? "Z" : "L";
        lines.push_back(AssembleBirthLine(f));
    }
    return lines;
}

// FNV-1a over the exact bits of every number the chart record holds.
class Fingerprint {
public:
    void add(double x) { addBytes(&x, sizeof x); }
    void add(std::int64_t x) { addBytes(&x, sizeof x); }
    std::uint64_t value() const { return hash_; }

private:
    void addBytes(const void* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) hash_ = (hash_ ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ull;
    }
    std::uint64_t hash_ = 14695981039346656037ull;
};

void addPoints(Fingerprint& f, const ChartPoints& points) {
    for (const ChartPoint& p : points) {
        for (double x : {p.longitude, p.declination, p.latitude, p.rightAscension, p.dailyMotion}) f.add(x);
        for (std::int64_t x : {p.degree, p.minute, p.second, p.sign, p.degreeInSign, p.signDegree, p.auxNumber})
            f.add(x);
    }
}

std::uint64_t chartFingerprint(const TInData& birth, const ChartRecord& chart) {
    Fingerprint f;
    f.add(birth.moment);
    addPoints(f, chart.BirthPoints);
    addPoints(f, chart.NextPoints);
    for (double cusp : chart.HouseCusps) f.add(cusp);
    for (const auto& row : chart.AspectGrid)
        for (std::int64_t code : row) f.add(code);
    for (std::int64_t house : chart.PointHouse) f.add(house);
    for (std::int64_t x : chart.CuspSign) f.add(x);
    for (std::int64_t x : chart.HouseRuler) f.add(x);
    return f.value();
}

std::vector<std::string> computeFingerprints() {
    PlutoTable table(fs::path(KORVINAUT_SOURCE_DIR) / "data" / "System" / "pluto.sys");
    EngineState state;  // one state through all charts, as a session of the program keeps it
    std::vector<std::string> out;
    for (const std::string& line : goldenBirthLines()) {
        TInData birth;
        birth.line = line;
        ChartRecord chart;
        ComputeChart(birth, chart, state, table);
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(chartFingerprint(birth, chart)));
        out.push_back(std::string(hex) + " " + line.substr(0, 70));
    }
    return out;
}

TEST(EngineGolden, EveryChartKeepsEveryBit) {
    const std::vector<std::string> now = computeFingerprints();
    if (std::getenv("KORV_RECORD_GOLDEN")) {
        fs::create_directories(goldenFile().parent_path());
        std::ofstream out(goldenFile(), std::ios::binary);
        for (const std::string& l : now) out << l << "\n";
        GTEST_SKIP() << "recorded " << now.size() << " charts in " << goldenFile();
    }
    std::ifstream in(goldenFile(), std::ios::binary);
    ASSERT_TRUE(in) << goldenFile();
    std::vector<std::string> recorded;
    for (std::string l; std::getline(in, l);) recorded.push_back(l);
    ASSERT_EQ(recorded.size(), now.size());
    for (std::size_t i = 0; i < now.size(); ++i) EXPECT_EQ(now[i], recorded[i]) << "chart " << i + 1;
}

}  // namespace
}  // namespace korv
