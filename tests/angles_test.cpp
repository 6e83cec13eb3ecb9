#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "astro/angles.h"

namespace korv {
namespace {

TEST(Angles, NormalizeAndFracMod) {
    EXPECT_DOUBLE_EQ(NormalizeDegrees(-30), 330);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(720), 0);
    EXPECT_NEAR(NormalizeDegrees(359.9999), 359.9999, 1e-10);
    EXPECT_NEAR(NormalizeDegrees(-720.25), 359.75, 1e-10);
    EXPECT_LT(NormalizeDegrees(-1e-14), 360.0);  // stays inside [0, 360)
    EXPECT_DOUBLE_EQ(FracMod(24, 30.5), 6.5);
    EXPECT_DOUBLE_EQ(FracMod(24, -1), -1);
}

TEST(Angles, ObliquityAndCenturies) {
    EXPECT_NEAR(ObliquityOfDate(0), 0.4093197474, 1e-10);
    EXPECT_DOUBLE_EQ(JulianCenturies(2415020.0 + 36525.0), 1.0);
}

TEST(Angles, ArcSineHasItsLimitsAtPlusMinusOne) {
    EXPECT_DOUBLE_EQ(ArcSine(1.0), kPi / 2);
    EXPECT_DOUBLE_EQ(ArcSine(-1.0), -kPi / 2);
    EXPECT_NEAR(ArcSine(0.5), kPi / 6, 1e-15);
    EXPECT_NEAR(ArcCosine(0.5), kPi / 3, 1e-15);
}

struct VectorCase {
    const char* name;
    double X, Y, Z, longitude, latitude;
};

std::ostream& operator<<(std::ostream& os, const VectorCase& c) { return os << c.name; }

class EclipticConversion : public ::testing::TestWithParam<VectorCase> {};

// Expected values: the vector rotated about X by the fixed obliquity
// (cos 0.917408, sin 0.397949), computed independently with atan2.
TEST_P(EclipticConversion, MatchesTheRotatedVector) {
    const auto& c = GetParam();
    EngineState state;
    double lon, lat;
    EclipticFromEquatorial(ConversionMode::Moon, c.X, c.Y, c.Z, state, lon, lat);
    EXPECT_NEAR(lon, c.longitude, 1e-7);
    EXPECT_NEAR(lat, c.latitude, 1e-7);
}

VectorCase rotated(const char* name, double X, double Y, double Z) {
    const double ye = Y * 0.917408 + Z * 0.397949, ze = -Y * 0.397949 + Z * 0.917408;
    double lon = std::atan2(ye, X) / 0.01745329252;
    if (lon < 0) lon += 360;
    return {name, X, Y, Z, lon, std::atan2(ze, std::hypot(X, ye)) / 0.01745329252};
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, EclipticConversion,
    ::testing::Values(VectorCase{"AlongX", 1, 0, 0, 0, 0}, VectorCase{"AgainstX", -1, 0, 0, 180, 0},
                      rotated("FirstQuadrant", 0.6, 0.5, 0.2), rotated("SecondQuadrant", -0.6, 0.5, -0.2),
                      rotated("ThirdQuadrant", -0.3, -0.8, 0.1), rotated("FourthQuadrant", 0.7, -0.2, -0.3),
                      rotated("XZeroNorthOfEquator", 0.0, 0.8, 0.1), rotated("XZeroSouth", 0.0, -0.8, -0.1)),
    [](const auto& info) { return info.param.name; });

TEST(EclipticConversion, SunVectorIsStoredAndAddedForPlanets) {
    EngineState state;
    double lon, lat;
    EclipticFromEquatorial(ConversionMode::Sun, 0.5, 0.25, 0.125, state, lon, lat);
    EXPECT_DOUBLE_EQ(state.Xs, 0.5);
    EXPECT_DOUBLE_EQ(state.Zs, 0.125);
    double planetLon, planetLat, geoLon, geoLat;
    EclipticFromEquatorial(ConversionMode::Planet, 0.5, 0.25, 0.125, state, planetLon, planetLat);
    EclipticFromEquatorial(ConversionMode::Moon, 1.0, 0.5, 0.25, state, geoLon, geoLat);
    EXPECT_DOUBLE_EQ(planetLon, geoLon);
    EXPECT_DOUBLE_EQ(planetLat, geoLat);
}

TEST(StoreEclipticPosition, EquinoxesSolsticesAndThePole) {
    ChartPoint p;
    StoreEclipticPosition(90, 0, 0, p);  // summer solstice: declination = obliquity, RA 6h
    EXPECT_NEAR(p.declination, 23.452294, 1e-9);
    EXPECT_NEAR(p.rightAscension, 6.0, 1e-9);
    StoreEclipticPosition(180, 0, 0, p);
    EXPECT_NEAR(p.rightAscension, 12.0, 1e-9);
    EXPECT_NEAR(p.declination, 0.0, 1e-9);
    StoreEclipticPosition(300, 0, 0, p);
    EXPECT_GT(p.rightAscension, 18.0);
    EXPECT_LT(p.rightAscension, 24.0);
    StoreEclipticPosition(-30, 1.5, 0, p);
    EXPECT_DOUBLE_EQ(p.longitude, 330);
    EXPECT_DOUBLE_EQ(p.latitude, 1.5);
    // The ecliptic point nearest the celestial pole at 90 - obliquity latitude: |s| = 1.
    StoreEclipticPosition(90, 90 - 23.452294, 0, p);
    EXPECT_TRUE(std::isfinite(p.declination));
    EXPECT_NEAR(p.declination, 90.0, 1e-4);
}

}  // namespace
}  // namespace korv
