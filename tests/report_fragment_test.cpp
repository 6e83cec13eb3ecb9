// The fragment writers: icon lines, reference numbers and the source-list labels.
#include <gtest/gtest.h>

#include <ostream>

#include "report/fragment_writer.h"
#include "tests/report_test_support.h"

namespace korv {
namespace {

using testing::keyedFile;

const std::string kPlus = "<p><img border=\"0\" src=\"b_plus.gif\" >";
const std::string kMinus = "<p><img border=\"0\" src=\"b_minus.gif\">";

struct IconCase {
    const char* name;
    bool aspect;  // WriteAspectFragment's choice, else WriteFragment's
    FragmentKey key;
    std::string icon;
};
std::ostream& operator<<(std::ostream& os, const IconCase& c) { return os << c.name; }

class Icons : public ::testing::TestWithParam<IconCase> {};

TEST_P(Icons, ChoosesTheLine) {
    const IconCase& c = GetParam();
    EXPECT_EQ(c.aspect ? AspectFragmentIcon(c.key) : FragmentIcon(c.key), c.icon);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Icons,
    ::testing::Values(
        IconCase{"MarkZeroPlus", false, {.house = 1, .sign = 1, .angle = 0}, kPlus},
        IconCase{"MarkFiftyMinus", false, {.house = 1, .planet = 3, .angle = 50}, kMinus},
        IconCase{"OtherMarkNone", false, {.house = 1, .planet = 3, .angle = 7}, ""},
        IconCase{"ConjunctionWithSunPlus", true, {.planet = 2, .angle = 0, .partner = 1}, kPlus},
        IconCase{"ConjunctionWithMoonPlus", true, {.planet = 1, .angle = 0, .partner = 2}, kPlus},
        IconCase{"ConjunctionWithMercuryPlus", true, {.planet = 1, .angle = 0, .partner = 3}, kPlus},
        IconCase{"ConjunctionWithVenusPlus", true, {.planet = 1, .angle = 0, .partner = 4}, kPlus},
        IconCase{"ConjunctionWithMarsMinus", true, {.planet = 1, .angle = 0, .partner = 5}, kMinus},
        IconCase{"ConjunctionWithJupiterPlus", true, {.planet = 1, .angle = 0, .partner = 6}, kPlus},
        IconCase{"ConjunctionWithSaturnMinus", true, {.planet = 1, .angle = 0, .partner = 7}, kMinus},
        IconCase{"ConjunctionWithUranusMinus", true, {.planet = 1, .angle = 0, .partner = 8}, kMinus},
        IconCase{"ConjunctionWithNeptuneMinus", true, {.planet = 1, .angle = 0, .partner = 9}, kMinus},
        IconCase{"ConjunctionWithPlutoMinus", true, {.planet = 1, .angle = 0, .partner = 10}, kMinus},
        IconCase{"ConjunctionWithoutPartnerNone", true, {.planet = 1, .angle = 0, .partner = 0}, ""},
        IconCase{"SextilePlus", true, {.planet = 5, .angle = 60, .partner = 7}, kPlus},
        IconCase{"TrinePlus", true, {.planet = 5, .angle = 120, .partner = 7}, kPlus},
        IconCase{"SquareMinusEvenForJupiter", true, {.planet = 1, .angle = 90, .partner = 6}, kMinus},
        IconCase{"OppositionMinus", true, {.planet = 1, .angle = 180, .partner = 2}, kMinus},
        IconCase{"UnknownAngleNone", true, {.planet = 1, .angle = 45, .partner = 2}, ""}));

struct LabelCase {
    const char* name;
    FragmentKey key;
    const char* label;  // UTF-8; nullptr: no rule applies
};
std::ostream& operator<<(std::ostream& os, const LabelCase& c) { return os << c.name; }

class Labels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(Labels, FirstRuleThatApplies) {
    const LabelCase& c = GetParam();
    const auto label = ReferenceLabel(c.key);
    if (!c.label) {
        EXPECT_EQ(label, std::nullopt);
        return;
    }
    ASSERT_TRUE(label);
    EXPECT_EQ(cp1251ToUtf8(*label), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Labels,
    ::testing::Values(
        LabelCase{"R1CuspFirstHouseAries", {.house = 1, .sign = 1}, "&nbsp&nbsp&nbsp Куспид I дома в Овне"},
        LabelCase{"R1CuspAfflictedKeepsTheSameText", {.house = 12, .sign = 12, .angle = 50},
                  "&nbsp&nbsp&nbsp Куспид XII дома в Рыбах"},
        LabelCase{"R1BeatsThePlanetRules", {.house = 5, .sign = 8, .planet = 2},
                  "&nbsp&nbsp&nbsp Куспид V дома в Скорпионе"},
        LabelCase{"R2Almuten", {.house = 7, .almutenHouse = 2}, "&nbsp&nbsp&nbsp Альмутен VII дома во II доме"},
        LabelCase{"R3AfflictedAlmutenWithoutFullStop", {.house = 8, .angle = 50, .almutenHouse = 11},
                  "&nbsp&nbsp&nbsp Альмутен VIII дома в XI доме поражен"},
        LabelCase{"R4MoonInSecondHouse", {.house = 2, .planet = 2}, "&nbsp&nbsp&nbsp Луна во II доме"},
        LabelCase{"R5AfflictedPlanetInHouse", {.house = 10, .planet = 10, .angle = 50},
                  "&nbsp&nbsp&nbsp Плутон в X доме поражен."},
        LabelCase{"R6PlanetInSign", {.sign = 3, .planet = 4}, "&nbsp&nbsp&nbsp Венера в Близнецах"},
        LabelCase{"R7AfflictedPlanetInSign", {.sign = 9, .planet = 7, .angle = 50},
                  "&nbsp&nbsp&nbsp Сатурн в Стрельце поражен."},
        LabelCase{"R8Conjunction", {.planet = 1, .angle = 0, .partner = 2}, "&nbsp&nbsp&nbsp Солнце в соединении с Луной"},
        LabelCase{"R8Sextile", {.planet = 2, .angle = 60, .partner = 3}, "&nbsp&nbsp&nbsp Луна в секстиле с Меркурием"},
        LabelCase{"R8Square", {.planet = 3, .angle = 90, .partner = 4}, "&nbsp&nbsp&nbsp Меркурий в квадратуре с Венерой"},
        LabelCase{"R8Trine", {.planet = 4, .angle = 120, .partner = 5}, "&nbsp&nbsp&nbsp Венера в тригоне с Марсом"},
        LabelCase{"R8Opposition", {.planet = 5, .angle = 180, .partner = 10},
                  "&nbsp&nbsp&nbsp Марс в оппозиции с Плутоном"},
        LabelCase{"R8OddAngleHasNoAspectWord", {.planet = 5, .angle = 45, .partner = 6}, "&nbsp&nbsp&nbsp МарсЮпитером"},
        LabelCase{"NoRuleForAnEmptyKey", {}, nullptr},
        LabelCase{"NoRuleForAnAspectWithoutPartner", {.planet = 1, .angle = 90}, nullptr}));

TEST(Labels, PlanetInSignInTheSectionsHouse) {
    EXPECT_EQ(cp1251ToUtf8(PlanetInSignInHouseLabel(5, 1, 7, 0)), "&nbsp&nbsp&nbsp Марс в Овне в VII доме");
    EXPECT_EQ(cp1251ToUtf8(PlanetInSignInHouseLabel(2, 4, 2, 50)), "&nbsp&nbsp&nbsp Луна в Раке во II доме поражен.");
}

class FragmentWriters : public testing::ReportFixture {
protected:
    std::filesystem::path lib(const std::string& name) { return folder.path("System/Text_01/" + name); }
    std::filesystem::path section() { return folder.path("Output/s01.html"); }
    void SetUp() override { folder.write("Output/s01.html", "head\r\n"); }
};

TEST_F(FragmentWriters, WriteFragmentLeavesTheLineOpenAfterTheMark) {
    folder.write("System/Text_01/Ku_1M.html", keyedFile({{{.house = 1, .sign = 1}, "Овен\r\nвторая строка"}}));
    WriteFragment(context(), lib("Ku_1M.html"), section(), {.house = 1, .sign = 1}, refs);
    EXPECT_EQ(output("s01.html"),
              "head\r\n" + kPlus + "\r\nОвен\r\nвторая строка<font color=\"#0099CC\">&nbsp(1)</font>");
    EXPECT_EQ(sourceList(),
              "<br><font color=\"#0099CC\">&nbsp(1)</font>&nbsp&nbsp&nbsp Куспид I дома в Овне\r\n");
    EXPECT_EQ(refs.ReferenceCount, 1);
    EXPECT_EQ(refs.ReferenceMark, "<font color=\"#0099CC\">&nbsp(1)</font>");
}

TEST_F(FragmentWriters, WriteAspectFragmentEndsTheLine) {
    folder.write("System/Text_01/A_P1.doc", keyedFile({{{.planet = 1, .angle = 0, .partner = 7}, "Сатурн"}}));
    refs.ReferenceCount = 11;
    WriteAspectFragment(context(), lib("A_P1.doc"), section(), {.planet = 1, .angle = 0, .partner = 7}, refs);
    EXPECT_EQ(output("s01.html"), "head\r\n" + kMinus + "\r\nСатурн<font color=\"#0099CC\">&nbsp(12)</font>\r\n");
    EXPECT_EQ(sourceList(),
              "<br><font color=\"#0099CC\">&nbsp(12)</font>&nbsp&nbsp&nbsp Солнце в соединении с Сатурном\r\n");
}

TEST_F(FragmentWriters, AnEmptyTextStillGetsIconAndMark) {
    folder.write("System/Text_01/P_D1.doc", testing::keyLine({.house = 1, .planet = 2}) + "\r\n@\r\n");
    WriteFragment(context(), lib("P_D1.doc"), section(), {.house = 1, .planet = 2}, refs);
    EXPECT_EQ(output("s01.html"), "head\r\n" + kPlus + "\r\n<font color=\"#0099CC\">&nbsp(1)</font>");
}

TEST_F(FragmentWriters, NoIconLineForAnUnknownMark) {
    folder.write("System/Text_01/P_D1.doc", keyedFile({{{.house = 1, .planet = 2, .angle = 7}, "x"}}));
    WriteFragment(context(), lib("P_D1.doc"), section(), {.house = 1, .planet = 2, .angle = 7}, refs);
    EXPECT_EQ(output("s01.html"), "head\r\nx<font color=\"#0099CC\">&nbsp(1)</font>");
}

TEST_F(FragmentWriters, MissingFileOrKeyWritesNothingAndKeepsTheCount) {
    folder.write("System/Text_01/Ku_1M.html", keyedFile({{{.house = 1, .sign = 1}, "Овен"}}));
    WriteFragment(context(), lib("Ku_1M.html"), section(), {.house = 1, .sign = 2}, refs);
    WriteFragment(context(), lib("Ku_1F.html"), section(), {.house = 1, .sign = 1}, refs);
    WriteAspectFragment(context(), lib("A_P1.doc"), section(), {.planet = 1, .partner = 2}, refs);
    EXPECT_EQ(refs.ReferenceCount, 0);
    EXPECT_EQ(output("s01.html"), "head\r\n");
    EXPECT_EQ(sourceList(), "");
}

TEST_F(FragmentWriters, TheSameFragmentTwiceGetsTwoNumbers) {
    folder.write("System/Text_01/Ku_1M.html", keyedFile({{{.house = 1, .sign = 1}, "Овен"}}));
    WriteFragment(context(), lib("Ku_1M.html"), section(), {.house = 1, .sign = 1}, refs);
    WriteFragment(context(), lib("Ku_1M.html"), section(), {.house = 1, .sign = 1}, refs);
    EXPECT_EQ(testing::countOf(sourceList(), "Куспид I дома в Овне\r\n"), 2);
    EXPECT_NE(sourceList().find("&nbsp(2)</font>&nbsp&nbsp&nbsp Куспид"), std::string::npos);
}

TEST_F(FragmentWriters, AKeyWithoutLabelRuleLeavesTheSourceLineOpen) {
    AddReference(context(), {}, refs);
    AddReference(context(), {.house = 1, .sign = 1}, refs);
    EXPECT_EQ(sourceList(), "<br><font color=\"#0099CC\">&nbsp(1)</font><br><font color=\"#0099CC\">&nbsp(2)</font>"
                            "&nbsp&nbsp&nbsp Куспид I дома в Овне\r\n");
}

TEST_F(FragmentWriters, AGivenLabelReplacesTheKeysOwn) {
    AddReference(context(), {.house = 1, .planet = 5}, refs, cp("&nbsp&nbsp&nbsp Марс во II доме"));
    EXPECT_EQ(sourceList(), "<br><font color=\"#0099CC\">&nbsp(1)</font>&nbsp&nbsp&nbsp Марс во II доме\r\n");
}

}  // namespace
}  // namespace korv
