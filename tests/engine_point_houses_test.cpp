#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "astro/point_houses.h"

namespace korv {
namespace {

// House i runs from cusp i (inclusive) to cusp i + 1 (exclusive); a later house that
// matches wins.
struct HouseCase {
    const char* name;
    std::array<double, 12> cusps;  // cusps 1..12
    double longitude;
    int house;
};

std::ostream& operator<<(std::ostream& os, const HouseCase& c) { return os << c.name; }

class PointHouses : public ::testing::TestWithParam<HouseCase> {};

TEST_P(PointHouses, PlacesTheBody) {
    HouseCuspArray cusps{};
    for (int i = 1; i <= 12; ++i) cusps[i] = GetParam().cusps[i - 1];
    ChartPoints points{};
    for (int k = 1; k <= kBodyCount; ++k) points[k].longitude = GetParam().longitude;
    PointHouseArray houses;
    houses.fill(7);
    ComputePointHouses(points, cusps, houses);
    for (int k = 1; k <= kBodyCount; ++k) EXPECT_EQ(houses[k], GetParam().house) << "body " << k;
    for (int k = 11; k <= 44; ++k) EXPECT_EQ(houses[k], 7) << "entry " << k << " is not a body";
}

constexpr std::array<double, 12> kRegular = {15, 45, 75, 105, 135, 165, 195, 225, 255, 285, 315, 345};
// House 11 contains 0 degrees of Aries.
constexpr std::array<double, 12> kWrapIn11 = {40, 70, 100, 130, 160, 190, 220, 250, 280, 310, 350, 20};
// House 12 contains 0 degrees of Aries.
constexpr std::array<double, 12> kWrapIn12 = {10, 40, 70, 100, 130, 160, 190, 220, 250, 280, 310, 340};
// Cusps 4 and 5 coincide: house 4 is empty.
constexpr std::array<double, 12> kEmptyHouse4 = {15, 45, 75, 100, 100, 165, 195, 225, 255, 285, 315, 345};
constexpr std::array<double, 12> kAllEqual = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};

INSTANTIATE_TEST_SUITE_P(
    Cases, PointHouses,
    ::testing::Values(HouseCase{"OnCusp5", kRegular, 135, 5},
                      HouseCase{"JustBeforeCusp5", kRegular, 134.999999, 4},
                      HouseCase{"OnCusp1", kRegular, 15, 1},
                      HouseCase{"ZeroDegreesInHouse12", kRegular, 0, 12},
                      HouseCase{"Wrap11After0", kWrapIn11, 5, 11},
                      HouseCase{"Wrap11Before0", kWrapIn11, 355, 11},
                      HouseCase{"Wrap11OnCusp12", kWrapIn11, 20, 12},
                      HouseCase{"Wrap12AtZero", kWrapIn12, 0, 12},
                      HouseCase{"Wrap12OnCusp1", kWrapIn12, 10, 1},
                      HouseCase{"Wrap12OnCusp12", kWrapIn12, 340, 12},
                      HouseCase{"EqualCuspsSkipHouse4", kEmptyHouse4, 100, 5},
                      HouseCase{"BeforeEqualCusps", kEmptyHouse4, 99.9, 3},
                      HouseCase{"NoHouseKeepsThePreviousValue", kAllEqual, 100, 7}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace korv
