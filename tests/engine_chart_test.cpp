#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <ostream>
#include <string>

#include "astro/chart_computation.h"
#include "common/error.h"
#include "common/text.h"
#include "input/coordinates.h"
#include "temp_dir.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

TInData birth(const std::string& date, const std::string& time, const std::string& coords) {
    BirthLineFields f;
    f.name = "Test";
    f.dateText = date;
    f.timeText = time;
    f.city = "Place";
    f.coordText = coords;
    f.zoneText = FormatZoneText(0);
    f.sexCode = "M";
    f.dstCode = "Z";
    TInData record;
    record.line = AssembleBirthLine(f);
    return record;
}

std::string moscow() { return FormatCoordText(CoordinatesFromDecimal(55.75, 37.62)); }

fs::path shippedTable() { return fs::path(KORVINAUT_SOURCE_DIR) / "data" / "System" / "pluto.sys"; }

// A body that passes 0 degrees of Aries between the birth moment and a day later moves
// by a small amount, not by nearly a whole circle. Expected speeds: python3-ephem's
// longitude one day apart at the same moments, to 0.01 degree per day.
struct PassageCase {
    const char* name;
    const char* date;
    const char* time;
    int body;
    double speed;
};

std::ostream& operator<<(std::ostream& os, const PassageCase& c) { return os << c.name; }

class DailyMotionAcrossAries : public ::testing::TestWithParam<PassageCase> {};

TEST_P(DailyMotionAcrossAries, IsFolded) {
    const auto& c = GetParam();
    TInData record = birth(c.date, c.time, moscow());
    ChartRecord chart;
    EngineState state;
    PlutoTable table(shippedTable());
    ComputeChart(record, chart, state, table);
    const double before = chart.BirthPoints[c.body].longitude;
    const double after = chart.NextPoints[c.body].longitude;
    ASSERT_GT(std::fabs(after - before), 300.0) << "the body does not pass 0 degrees here";
    EXPECT_NEAR(chart.BirthPoints[c.body].dailyMotion, c.speed, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, DailyMotionAcrossAries,
    ::testing::Values(PassageCase{"SunForward", "19.03.2000", "18:00:00", 1, 0.993},
                      PassageCase{"UranusRetrograde", "13.08.2010", "12:00:00", 8, -0.0284}),
    [](const auto& info) { return info.param.name; });

// Pluto's speed comes from the table lines 400 days apart, divided by 400. The birth
// 1900-01-03 12:00 UT is moment 3: lines 3 and 403.
struct PlutoSpeedCase {
    const char* name;
    int line3, line403;
    double speed;
};

std::ostream& operator<<(std::ostream& os, const PlutoSpeedCase& c) { return os << c.name; }

class PlutoSpeed : public ::testing::TestWithParam<PlutoSpeedCase> {};

TEST_P(PlutoSpeed, FromTheTable) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    {
        // Lines 1-3 hold line3's value, lines 403 on line403's, and the lines between
        // step from one to the other by at most a degree a day, as a real table does.
        std::ofstream out(file, std::ios::binary);
        const int from = GetParam().line3, to = GetParam().line403;
        const int span = ((to - from + 540) % 360) - 180;  // -180..179: the short way round
        for (int line = 1; line <= 500; ++line) {
            const int done = std::clamp(line - 3, 0, 400);
            out << ((from + span * done / 400) % 360 + 360) % 360 << "\r\n";
        }
    }
    TInData record = birth("03.01.1900", "12:00:00", moscow());
    ChartRecord chart;
    EngineState state;
    PlutoTable table(file, 500);
    ComputeChart(record, chart, state, table);
    ASSERT_EQ(record.moment, 3.0);
    EXPECT_NEAR(chart.BirthPoints[10].longitude, GetParam().line3 + 0.0045, 1e-12);
    EXPECT_NEAR(chart.BirthPoints[10].dailyMotion, GetParam().speed, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlutoSpeed,
    ::testing::Values(PlutoSpeedCase{"TwoDegrees", 245, 247, 0.005},
                      PlutoSpeedCase{"ForwardAcrossAries", 359, 0, 0.0025},
                      PlutoSpeedCase{"BackwardAcrossAries", 0, 359, -0.0025},
                      PlutoSpeedCase{"Stationary", 120, 120, 0.0}),
    [](const auto& info) { return info.param.name; });

void expectSameChart(const ChartRecord& a, const ChartRecord& b) {
    for (int p = 1; p <= 43; ++p) {
        EXPECT_EQ(a.BirthPoints[p].longitude, b.BirthPoints[p].longitude) << "point " << p;
        EXPECT_EQ(a.BirthPoints[p].dailyMotion, b.BirthPoints[p].dailyMotion) << "point " << p;
        EXPECT_EQ(a.BirthPoints[p].declination, b.BirthPoints[p].declination) << "point " << p;
        EXPECT_EQ(a.BirthPoints[p].second, b.BirthPoints[p].second) << "point " << p;
    }
    EXPECT_EQ(a.HouseCusps, b.HouseCusps);
    EXPECT_EQ(a.AspectGrid, b.AspectGrid);
    EXPECT_EQ(a.PointHouse, b.PointHouse);
    EXPECT_EQ(a.CuspSign, b.CuspSign);
    EXPECT_EQ(a.HouseRuler, b.HouseRuler);
}

// The second of two runs leaves nothing of the first, and the table kept in memory
// gives what a fresh read gives.
TEST(ComputeChart, ASecondRunReplacesTheFirst) {
    PlutoTable kept(shippedTable());
    EngineState state;
    ChartRecord reused;
    TInData first = birth("12.04.1961", "06:07:00", moscow());
    ComputeChart(first, reused, state, kept);
    TInData second = birth("29.02.2024", "23:59:59", FormatCoordText(CoordinatesFromDecimal(-33.87, 151.21)));
    ComputeChart(second, reused, state, kept);

    PlutoTable fresh(shippedTable());
    EngineState freshState;
    ChartRecord clean;
    TInData again = birth("29.02.2024", "23:59:59", FormatCoordText(CoordinatesFromDecimal(-33.87, 151.21)));
    ComputeChart(again, clean, freshState, fresh);
    expectSameChart(reused, clean);
    EXPECT_EQ(second.moment, again.moment);
    // Pluto runs last and clears the Sun vector.
    EXPECT_EQ(state.Xs, 0);
    EXPECT_EQ(state.Ys, 0);
    EXPECT_EQ(state.Zs, 0);
}

TEST(ComputeChart, EveryBodyGetsAHouseAndTheCuspsBecomePoints) {
    PlutoTable table(shippedTable());
    EngineState state;
    ChartRecord chart;
    TInData record = birth("01.01.2000", "12:00:00", moscow());
    ComputeChart(record, chart, state, table);
    EXPECT_EQ(record.moment, 36525.0);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_GE(chart.PointHouse[k], 1) << k;
        EXPECT_LE(chart.PointHouse[k], 12) << k;
        EXPECT_GE(chart.BirthPoints[k].sign, 1) << k;
    }
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(chart.BirthPoints[31 + i].longitude, chart.HouseCusps[i]);
    // Row 10 and column 1 of the grid stay as they were.
    for (int j = 1; j <= 10; ++j) EXPECT_EQ(chart.AspectGrid[10][j], 0);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(chart.AspectGrid[i][1], 0);
}

TEST(ComputeChart, ErrorsStopTheRun) {
    EngineState state;
    ChartRecord chart;
    {
        TempDir dir;
        PlutoTable missing(dir.path() / "System" / "pluto.sys");
        TInData record = birth("01.01.2000", "12:00:00", moscow());
        EXPECT_THROW(ComputeChart(record, chart, state, missing), Error);
    }
    PlutoTable table(shippedTable());
    std::string coords = moscow();
    coords.replace(0, 3, "abc");
    TInData record = birth("01.01.2000", "12:00:00", coords);
    try {
        ComputeChart(record, chart, state, table);
        FAIL() << "no error for a malformed coordinate text";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("градусы долготы"), std::string::npos) << e.what();
    }
}

// Charts for any year the birth data allow, inside and outside the table.
class ChartYears : public ::testing::TestWithParam<const char*> {};

TEST_P(ChartYears, AreComplete) {
    PlutoTable table(shippedTable());
    EngineState state;
    ChartRecord chart;
    TInData record = birth(GetParam(), "03:30:00", moscow());
    ComputeChart(record, chart, state, table);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_GE(chart.BirthPoints[k].longitude, 0.0) << k;
        EXPECT_LT(chart.BirthPoints[k].longitude, 360.0) << k;
        EXPECT_LT(std::fabs(chart.BirthPoints[k].dailyMotion), 16.0) << k;
    }
    for (int i = 1; i <= 12; ++i) {
        EXPECT_GE(chart.HouseCusps[i], 0.0) << i;
        EXPECT_LT(chart.HouseCusps[i], 360.0) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, ChartYears,
                         ::testing::Values("01.01.-999", "15.06.0001", "04.10.1582", "15.10.1582",
                                           "31.12.1899", "01.01.1900", "31.12.2100", "01.01.2101",
                                           "31.12.3000"),
                         [](const auto& info) {
                             std::string name = "Date";
                             for (char ch : std::string(info.param)) name += (ch == '.' || ch == '-') ? '_' : ch;
                             return name;
                         });

}  // namespace
}  // namespace korv
