#include <gtest/gtest.h>

#include <ostream>

#include "astro/chart_record.h"
#include "common/text.h"

namespace korv {
namespace {

struct DegreeCase {
    const char* name;
    double longitude;
    int degree, minute, second, sign, degreeInSign, signDegree;
};

std::ostream& operator<<(std::ostream& os, const DegreeCase& c) { return os << c.name; }

class FinishDegrees : public ::testing::TestWithParam<DegreeCase> {};

TEST_P(FinishDegrees, SplitsTheLongitude) {
    const auto& c = GetParam();
    ChartRecord chart;
    chart.BirthPoints[1].longitude = c.longitude;
    FinishChartRecord(chart);
    const ChartPoint& p = chart.BirthPoints[1];
    EXPECT_EQ(p.degree, c.degree);
    EXPECT_EQ(p.minute, c.minute);
    EXPECT_EQ(p.second, c.second);
    EXPECT_EQ(p.sign, c.sign);
    EXPECT_EQ(p.degreeInSign, c.degreeInSign);
    EXPECT_EQ(p.signDegree, c.signDegree);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FinishDegrees,
    ::testing::Values(DegreeCase{"EndOfAries", 29.99999, 29, 59, 59, 1, 29, 30},
                      DegreeCase{"Zero", 0.0, 0, 0, 0, 1, 0, 1},
                      DegreeCase{"SecondsTruncated", 12.9999, 12, 59, 59, 1, 12, 13},
                      DegreeCase{"StartOfTaurus", 30.0, 30, 0, 0, 2, 0, 1},
                      DegreeCase{"LastDegree", 359.5, 359, 30, 0, 12, 29, 30}),
    [](const auto& info) { return info.param.name; });

TEST(FinishChartRecord, CuspsBecomePseudoPointsWithSignsAndRulers) {
    ChartRecord chart;
    for (int i = 1; i <= 12; ++i) chart.HouseCusps[i] = 30.0 * (i - 1) + 0.5;
    chart.HouseCusps[12] = 330.5;
    FinishChartRecord(chart);
    EXPECT_DOUBLE_EQ(chart.BirthPoints[32].longitude, 0.5);
    EXPECT_DOUBLE_EQ(chart.BirthPoints[43].longitude, 330.5);
    EXPECT_EQ(chart.CuspSign[12], 12);
    EXPECT_EQ(chart.CuspSign[1], 1);
    EXPECT_EQ(chart.HouseRuler[1], 5);   // Aries: Mars
    EXPECT_EQ(chart.HouseRuler[5], 1);   // Leo: Sun
    EXPECT_EQ(chart.HouseRuler[11], 7);  // Aquarius: Saturn
    EXPECT_EQ(chart.HouseRuler[12], 6);  // Pisces: Jupiter
    // Unfilled points 11..31 read as 0 degrees of Aries.
    EXPECT_EQ(chart.BirthPoints[20].sign, 1);
    EXPECT_EQ(chart.BirthPoints[20].signDegree, 1);
    EXPECT_EQ(chart.BirthPoints[44].sign, 0);  // beyond 43 nothing is derived
}

TEST(FinishChartRecord, AnEmptyRulerTableGivesNoRulers) {
    ChartRecord chart;
    chart.SignRuler.fill(0);
    FinishChartRecord(chart);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(chart.HouseRuler[i], 0);
}

TEST(Names, PointAndSignNamesInWindows1251) {
    EXPECT_EQ(cp1251ToUtf8(PointName(1)), "Солнце");
    EXPECT_EQ(cp1251ToUtf8(PointName(10)), "Плутон");
    EXPECT_EQ(cp1251ToUtf8(PointName(43)), "Куспид XII дома");
    EXPECT_EQ(cp1251ToUtf8(PointName(44)), "Точка жизни");
    EXPECT_EQ(PointName(45), "");
    EXPECT_EQ(cp1251ToUtf8(SignName(12)), "Рыбы");
    EXPECT_EQ(SignName(0), "");
}

}  // namespace
}  // namespace korv
