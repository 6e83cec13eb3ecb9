#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "astro/aspects.h"
#include "astro/bodies.h"

namespace korv {
namespace {

// The grid's cases: bodies placed at given longitudes (the others far from every
// aspect with them), the expected codes of chosen cells (row = first body, whose orb
// counts). Orbs: Sun 12, Moon 10, Mercury..Saturn 8, Uranus and Neptune 5.
struct Cell {
    int row, column, code;
};

struct AspectCase {
    const char* name;
    std::vector<std::pair<int, double>> longitudes;
    std::vector<Cell> cells;
};

std::ostream& operator<<(std::ostream& os, const AspectCase& c) { return os << c.name; }

class AspectGrid : public ::testing::TestWithParam<AspectCase> {};

TEST_P(AspectGrid, GivesTheCodes) {
    ChartPoints points{};
    for (const auto& [body, longitude] : GetParam().longitudes) points[body].longitude = longitude;
    AspectGridArray grid{};
    ComputeAspectGrid(points, grid);
    for (const Cell& c : GetParam().cells)
        EXPECT_EQ(grid[c.row][c.column], c.code) << "cell (" << c.row << ", " << c.column << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AspectGrid,
    ::testing::Values(
        // The row body's orb decides: the Sun sees Saturn 11 degrees away (orb 12); column
        // 1 is never written, so Saturn's row has no Sun cell at all.
        AspectCase{"SunSaturnElevenDegrees", {{1, 10}, {7, 21}}, {{1, 7, 0}, {7, 1, 0}}},
        AspectCase{"MoonAndSaturnDisagree", {{2, 10}, {7, 19.5}}, {{2, 7, 0}, {7, 2, kNoAspect}}},
        AspectCase{"SextileAtTheOrbLimit", {{1, 0}, {4, 48}}, {{1, 4, 60}, {4, 1, 0}}},
        AspectCase{"SextileJustBeyondTheOrb", {{1, 0}, {4, 47.9}}, {{1, 4, kNoAspect}}},
        AspectCase{"MoonMarsBetweenSextileAndSquare", {{2, 0}, {5, 75}}, {{2, 5, kNoAspect}, {5, 2, kNoAspect}}},
        AspectCase{"MoonMarsSextile", {{2, 0}, {5, 68}}, {{2, 5, 60}, {5, 2, 60}}},
        AspectCase{"ConjunctionAcrossAries", {{2, 355}, {3, 3}}, {{2, 3, 0}, {3, 2, 0}}},
        AspectCase{"UranusNeptuneSquareAtTheLimit", {{8, 10}, {9, 105}}, {{8, 9, 90}, {9, 8, 90}}},
        AspectCase{"TrineAcrossAries", {{3, 300}, {6, 58}}, {{3, 6, 120}, {6, 3, 120}}},
        AspectCase{"OppositionAtTheOrbLimit", {{1, 0}, {10, 168}}, {{1, 10, 180}}}),
    [](const auto& info) { return info.param.name; });

TEST(AspectGrid, WritesRowsOneToNineAndColumnsTwoToTen) {
    ChartPoints points{};
    const double longitudes[] = {0, 17, 131, 205, 250, 33, 312, 77, 163, 289};
    for (int k = 1; k <= 10; ++k) points[k].longitude = longitudes[k - 1];
    AspectGridArray grid;
    for (auto& row : grid) row.fill(-1);
    ComputeAspectGrid(points, grid);
    for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 10; ++j) {
            const bool written = i <= 9 && j >= 2;
            if (!written) EXPECT_EQ(grid[i][j], -1) << i << "," << j;
            else if (i == j) EXPECT_EQ(grid[i][j], 0) << "diagonal " << i;
            else EXPECT_NE(grid[i][j], -1) << i << "," << j;
        }
}

// The library leaves out the aspects that AspectCanOccur rules out; a grid that gave one
// would find no text. Every tenth day over 1900-2100 (Mercury's and Venus's greatest
// elongations included) keeps to the rule.
TEST(AspectGrid, GivesOnlyTheAspectsThatCanOccur) {
    EngineState state;
    for (double moment = 0; moment < 73050; moment += 10) {
        ChartPoints points{};
        SunPosition(moment, points[1], state);
        for (int body = 3; body <= 4; ++body) PlanetPosition(body, moment, points[body], state);
        AspectGridArray grid{};
        ComputeAspectGrid(points, grid);
        for (auto [i, j] : {std::pair{1, 3}, std::pair{1, 4}, std::pair{3, 4}}) {
            if (grid[i][j] == 255) continue;
            ASSERT_TRUE(AspectCanOccur(i, grid[i][j], j)) << "moment " << moment << ": " << i << "-" << j << " " << grid[i][j];
        }
    }
}

}  // namespace
}  // namespace korv
