// The personality section s01 and the table-driven topic sections.
#include <gtest/gtest.h>

#include <ostream>

#include "common/error.h"
#include "report/fragment_writer.h"
#include "report/sections.h"
#include "tests/report_test_support.h"

namespace korv {
namespace {

using testing::countOf;
using testing::keyedFile;

const TopicSection& topic(const std::string& file) {
    for (const TopicSection& s : TopicSections())
        if (s.file == file) return s;
    throw Error("no section " + file);
}

class Sections : public testing::ReportFixture {
protected:
    void library(const std::string& relative, const std::vector<std::pair<FragmentKey, std::string>>& fragments) {
        folder.write("System/" + relative, keyedFile(fragments));
    }
    std::string writeTopic(const std::string& file) {
        WriteTopicSection(context(), topic(file), refs);
        return output(file);
    }
    void writePages() {
        folder.write("System/Text_00/header_3.html", "<HTML><BODY>\r\n");
        for (int sign = 1; sign <= 12; ++sign)
            for (const char* sex : {"M", "F"})
                folder.write("System/Text_01/" + std::to_string(sign) + "_" + sex + ".html",
                             std::string("sun ") + std::to_string(sign) + sex + "\r\n");
    }
};

TEST_F(Sections, TopicSectionHeadAndTailAroundItsFragments) {
    chart.CuspSign[7] = 3;
    library("Text_07/Ku_7M.html", {{{.house = 7, .sign = 3}, "Близнецы на VII"}});
    EXPECT_EQ(writeTopic("s07.html"),
              "<div align=\"center\"><table border=\"0\" width=\"100%\"><tr><td>\r\n\r\n"
              "<h2>Брак и семья</h2>\r\n" +
                  std::string("<p><img border=\"0\" src=\"b_plus.gif\" >\r\nБлизнецы на VII") +
                  "<font color=\"#0099CC\">&nbsp(1)</font>\r\n</td></tr></table></DIV><br>\r\n\r\n");
}

TEST_F(Sections, AnEmptyLibraryFolderGivesHeadAndTailOnly) {
    chart.AspectGrid[1][2] = 0;
    chart.PointHouse[1] = 8;
    EXPECT_EQ(writeTopic("s08.html"),
              "<div align=\"center\"><table border=\"0\" width=\"100%\"><tr><td>\r\n\r\n"
              "<h2>Риск, опасности, кризисы. Конец жизни</h2>\r\n\r\n</td></tr></table></DIV><br>\r\n\r\n");
    EXPECT_EQ(refs.ReferenceCount, 0);
}

TEST_F(Sections, AlmutenKeyCarriesTheRulersMarkAndHouse) {
    // House 10 on Capricorn: Saturn rules it; Saturn stands in house 3, afflicted.
    chart.HouseRuler[10] = 7;
    chart.PointHouse[7] = 3;
    chart.BirthPoints[7].auxNumber = 50;
    library("Text_10/Al_10.txt", {{{.house = 10, .angle = 50, .almutenHouse = 3}, "альмутен"}});
    const std::string s = writeTopic("s10.html");
    EXPECT_NE(s.find("b_minus.gif\">\r\nальмутен"), std::string::npos) << s;
    EXPECT_EQ(sourceList(), "<br><font color=\"#0099CC\">&nbsp(1)</font>&nbsp&nbsp&nbsp Альмутен X дома в III доме поражен\r\n");
}

TEST_F(Sections, HouseWithoutRulerMakesNoAlmutenLookup) {
    chart.HouseRuler[10] = 0;
    chart.PointHouse[0] = 3;  // index 0 is no planet; nothing may read it as one
    library("Text_10/Al_10.txt", {{{.house = 10, .almutenHouse = 3}, "альмутен"}});
    writeTopic("s10.html");
    EXPECT_EQ(refs.ReferenceCount, 0);
}

TEST_F(Sections, CreativityKeysItsAlmutensWithMarkZero) {
    chart.HouseRuler[1] = 5;
    chart.PointHouse[5] = 4;
    chart.BirthPoints[5].auxNumber = 50;
    library("Text_05_1/Al_1_5.txt", {{{.house = 1, .angle = 0, .almutenHouse = 4}, "творческий альмутен"}});
    writeTopic("s05_1.html");
    EXPECT_EQ(refs.ReferenceCount, 1);
}

TEST_F(Sections, MoneyAndHomeKeyPlanetsWithHouseOneButNameTheirHouse) {
    chart.PointHouse[5] = 2;
    chart.BirthPoints[5].sign = 5;
    library("Text_02/P_D2.doc", {{{.house = 1, .planet = 5}, "Марс в доме денег"}});
    library("Text_02/P5_z.doc", {{{.sign = 5, .planet = 5}, "Марс во Льве"}});
    const std::string s = writeTopic("s02.html");
    EXPECT_LT(s.find("Марс в доме денег"), s.find("Марс во Льве"));
    EXPECT_EQ(sourceList(), "<br><font color=\"#0099CC\">&nbsp(1)</font>&nbsp&nbsp&nbsp Марс во II доме\r\n"
                            "<br><font color=\"#0099CC\">&nbsp(2)</font>&nbsp&nbsp&nbsp Марс в Льве\r\n");
}

TEST_F(Sections, SignTextsKeyedByHouseAreLabelledWithPlanetSignAndHouse) {
    chart.PointHouse[4] = 10;
    chart.BirthPoints[4].sign = 7;
    library("Text_10/P4_z.doc", {{{.house = 10, .sign = 7, .planet = 4}, "Венера в Весах"}});
    writeTopic("s10.html");
    EXPECT_EQ(sourceList(), "<br><font color=\"#0099CC\">&nbsp(1)</font>&nbsp&nbsp&nbsp Венера в Весах в X доме\r\n");
}

TEST_F(Sections, LoveReadsTwoFragmentSets) {
    chart.CuspSign[5] = 9;
    chart.CuspSign[8] = 12;
    chart.HouseRuler[5] = 6;
    chart.HouseRuler[8] = 6;
    chart.PointHouse[2] = 5;  // Moon in 5, Scorpio
    chart.BirthPoints[2].sign = 8;
    chart.PointHouse[6] = 8;  // Jupiter in 8, Aquarius
    chart.BirthPoints[6].sign = 11;
    chart.AspectGrid[1][2] = 120;
    library("Text_05/Ku_5M.html", {{{.house = 5, .sign = 9}, "[cusp5]"}});
    library("Text_05/8_Ku_8M.html", {{{.house = 8, .sign = 12}, "[cusp8]"}});
    library("Text_05/Al_5.txt", {{{.house = 5, .almutenHouse = 8}, "[al5]"}});
    library("Text_05/8_Al_8.txt", {{{.house = 8, .almutenHouse = 8}, "[al8]"}});
    library("Text_05/P_D8_M.doc", {{{.house = 5, .planet = 2}, "[moon5]"}});
    library("Text_05/P2_z.doc", {{{.house = 5, .sign = 8, .planet = 2}, "[moonSign]"}});
    library("Text_05/8_P_D8.doc", {{{.house = 8, .planet = 6}, "[jup8]"}});
    library("Text_05/8_P6_z.doc", {{{.house = 8, .sign = 11, .planet = 6}, "[jupSign]"}});
    library("Text_05/A_P1.doc", {{{.planet = 1, .angle = 120, .partner = 2}, "[trine]"}});
    library("Text_05/8_A_P1.doc", {{{.planet = 1, .angle = 120, .partner = 2}, "[trine8]"}});
    // Files of the other sex and of the wrong set must not be read.
    library("Text_05/P_D8_F.doc", {{{.house = 5, .planet = 2}, "[woman]"}});
    library("Text_05/8_P2_z.doc", {{{.house = 5, .sign = 8, .planet = 2}, "[wrongSet]"}});

    const std::string s = writeTopic("s05.html");
    std::size_t last = 0;
    for (const char* part : {"[cusp5]", "[cusp8]", "[al5]", "[al8]", "[moon5]", "[moonSign]", "[jup8]", "[jupSign]",
                             "[trine]", "[trine8]"}) {
        const std::size_t at = s.find(part);
        ASSERT_NE(at, std::string::npos) << part;
        EXPECT_GT(at, last) << part;
        last = at;
    }
    EXPECT_EQ(s.find("[woman]"), std::string::npos);
    EXPECT_EQ(s.find("[wrongSet]"), std::string::npos);
    EXPECT_EQ(refs.ReferenceCount, 10);
    EXPECT_NE(sourceList().find("Луна в Скорпионе в V доме"), std::string::npos);
    EXPECT_NE(sourceList().find("Юпитер в Водолее в VIII доме"), std::string::npos);
    EXPECT_EQ(countOf(sourceList(), "Солнце в тригоне с Луной"), 2);
}

TEST_F(Sections, APlanetInHouseFiveIsNotACreativityHouseOneText) {
    chart.PointHouse[3] = 5;
    library("Text_05_1/P_D1_5.doc", {{{.house = 1, .planet = 3}, "[house1]"}, {{.house = 5, .planet = 3}, "[wrong]"}});
    library("Text_05_1/P_D5_1.doc", {{{.house = 5, .planet = 3}, "[house5]"}});
    const std::string s = writeTopic("s05_1.html");
    EXPECT_EQ(s.find("[house1]"), std::string::npos);
    EXPECT_EQ(s.find("[wrong]"), std::string::npos);
    EXPECT_NE(s.find("[house5]"), std::string::npos);
}

TEST_F(Sections, HealthHasNoSignFiles) {
    chart.PointHouse[1] = 6;
    library("Text_06_1/P_D6.doc", {{{.house = 6, .planet = 1}, "[inHouse]"}});
    library("Text_06_1/P1_z.doc", {{{.sign = 1, .planet = 1}, "[inSign]"}});
    const std::string s = writeTopic("s06_1.html");
    EXPECT_NE(s.find("[inHouse]"), std::string::npos);
    EXPECT_EQ(s.find("[inSign]"), std::string::npos);
}

TEST_F(Sections, SexChoosesTheFilesWhereTheLibraryDistinguishes) {
    birth = testing::person("F");
    chart.CuspSign[12] = 2;
    chart.CuspSign[8] = 4;
    chart.CuspSign[7] = 6;
    library("Text_12/Ku_12M.html", {{{.house = 12, .sign = 2}, "[secret]"}});
    library("Text_12_1/Ku_8M.html", {{{.house = 8, .sign = 4}, "[occult]"}});
    library("Text_07/Ku_7M.html", {{{.house = 7, .sign = 6}, "[man]"}});
    library("Text_07/Ku_7F.html", {{{.house = 7, .sign = 6}, "[woman]"}});
    EXPECT_NE(writeTopic("s12.html").find("[secret]"), std::string::npos);
    EXPECT_NE(writeTopic("s12_1.html").find("[occult]"), std::string::npos);
    const std::string marriage = writeTopic("s07.html");
    EXPECT_NE(marriage.find("[woman]"), std::string::npos);
    EXPECT_EQ(marriage.find("[man]"), std::string::npos);
}

// Work, health and worldview look up only aspects with a planet in their house.
struct FilterCase {
    const char* name;
    int sunHouse, moonHouse;
    bool work, health, worldview, marriage;
};
std::ostream& operator<<(std::ostream& os, const FilterCase& c) { return os << c.name; }

class AspectFilterTest : public Sections, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(AspectFilterTest, WhichSectionsWriteTheSunMoonTrine) {
    const FilterCase& c = GetParam();
    chart.AspectGrid[1][2] = 120;
    chart.PointHouse[1] = c.sunHouse;
    chart.PointHouse[2] = c.moonHouse;
    for (const char* folderName : {"Text_06", "Text_06_1", "Text_09", "Text_07"})
        library(std::string(folderName) + "/A_P1.doc", {{{.planet = 1, .angle = 120, .partner = 2}, "[trine]"}});
    EXPECT_EQ(writeTopic("s06.html").find("[trine]") != std::string::npos, c.work);
    EXPECT_EQ(writeTopic("s06_1.html").find("[trine]") != std::string::npos, c.health);
    EXPECT_EQ(writeTopic("s09.html").find("[trine]") != std::string::npos, c.worldview);
    EXPECT_EQ(writeTopic("s07.html").find("[trine]") != std::string::npos, c.marriage);
}

INSTANTIATE_TEST_SUITE_P(Rows, AspectFilterTest,
                         ::testing::Values(FilterCase{"FirstPlanetInSix", 6, 3, true, true, false, true},
                                           FilterCase{"SecondPlanetInSix", 3, 6, true, true, false, true},
                                           FilterCase{"SecondPlanetInNine", 3, 9, false, false, true, true},
                                           FilterCase{"NeitherPlanet", 3, 4, false, false, false, true}));

TEST_F(Sections, OnlySunToMarsWithLaterPlanetsAreLookedUp) {
    for (auto& row : chart.AspectGrid) row.fill(0);  // every pair a conjunction
    std::vector<std::pair<FragmentKey, std::string>> fragments;
    for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 10; ++j) fragments.push_back({{.planet = i, .angle = 0, .partner = j}, "x"});
    for (int i = 1; i <= 10; ++i) library("Text_07/A_P" + std::to_string(i) + ".doc", fragments);
    writeTopic("s07.html");
    EXPECT_EQ(refs.ReferenceCount, 9 + 8 + 7 + 6 + 5);
    EXPECT_EQ(sourceList().find("Юпитер в соединении"), std::string::npos);
    EXPECT_EQ(sourceList().find("Луна в соединении с Солнцем"), std::string::npos);
}

TEST_F(Sections, PersonalitySectionHead) {
    writePages();
    birth = testing::person("F");
    birth.name = padRight(cp("Анна \"Ася\" <Смирнова> & Co"), 40);
    birth.city = padRight(cp("Ростов<на>Дону"), 25);
    chart.BirthPoints[1].sign = 3;
    chart.BirthPoints[7] = {.dailyMotion = -0.5123, .minute = 7, .sign = 1, .degreeInSign = 15};
    WritePersonalitySection(context(), refs);
    const std::string s = output("s01.html");
    EXPECT_EQ(s.rfind("<HTML><BODY>\r\n<div align=\"center\"> <table border=\"0\" width=\"90%\" cellpadding=\"2\" \r\n", 0), 0u);
    EXPECT_NE(s.find("<p class=\"plnoi\"><b><font face=\"Arial\" size=\"3\" color=\"#990000\"> \r\n"
                     "Анна &quot;Ася&quot; &lt;Смирнова&gt; &amp; Co              </font></b>\r\n"
                     "<p class=\"plnoi\">Дата рождения: 3 июня 1985 года<br>\r\n"
                     "Время рождения: 9 час. 15 мин.<br>\r\n"
                     "Место рождения: Ростов&lt;на&gt;Дону           <br>\r\n"
                     "( 49гр. 07мин. ВД&nbsp;&nbsp;&nbsp;55гр. 47мин. СШ)\r\n"),
              std::string::npos)
        << s;
    EXPECT_NE(s.find("<td bgcolor=\"#FFFFFF\" class=\"pl\" height=\"18\" bordercolor=\"#C0C0C0\"><b>Сатурн</td>\r\n"
                     "<td bgcolor=\"#FFFFFF\" class=\"pl\" height=\"18\" bordercolor=\"#C0C0C0\">15гр. 7мин. Овна</td>\r\n"
                     "<td bgcolor=\"#FFFFFF\" class=\"pl\" width=\"224\" height=\"18\" bordercolor=\"#C0C0C0\">-0.512</td>\r\n"
                     "</tr>\r\n"),
              std::string::npos);
    EXPECT_NE(s.find("<tr><td>\r\n\r\nsun 3F\r\n\r\n<br><br><hr"), std::string::npos);
    EXPECT_NE(s.find("в разделе \"Справочные данные гороскопа\"\r\n</td></tr></table>\r\n"), std::string::npos);
    EXPECT_TRUE(s.ends_with("<br><br>\r\n\r\n<h2>Личные качества, характер, собственное \"Я\"</h2>\r\n"
                            "\r\n</td></tr></table></DIV><br>\r\n\r\n"))
        << s;
}

TEST_F(Sections, PersonalitySectionNeedsItsPages) {
    EXPECT_THROW(WritePersonalitySection(context(), refs), Error);  // no header_3.html
    writePages();
    std::filesystem::remove(folder.path("System/Text_01/1_M.html"));
    chart.BirthPoints[1].sign = 1;
    EXPECT_THROW(WritePersonalitySection(context(), refs), Error);
}

TEST_F(Sections, PersonalityFragmentsOfTheFirstHouse) {
    writePages();
    chart.CuspSign[1] = 4;
    chart.HouseRuler[1] = 2;  // Cancer rising: the Moon, standing in house 12
    chart.AspectGrid[1][5] = 90;
    chart.AspectGrid[6][7] = 180;
    library("Text_01/Ku_1M.html", {{{.house = 1, .sign = 4}, "[asc]"}});
    library("Text_01/Al_1.txt", {{{.house = 1, .almutenHouse = 12}, "[almuten]"}});
    library("Text_01/P_D1.doc", {{{.house = 1, .planet = 1}, "[sunIn1]"}});
    library("Text_01/P1_z.doc", {{{.sign = 1, .planet = 1}, "[sunSign]"}});
    library("Text_01/A_P1.doc", {{{.planet = 1, .angle = 90, .partner = 5}, "[sunMars]"}});
    library("Text_01/A_P6.doc", {{{.planet = 6, .angle = 180, .partner = 7}, "[jupiterSaturn]"}});
    WritePersonalitySection(context(), refs);
    const std::string s = output("s01.html");
    // No planet stands in house 1: the cusp, almuten and aspect fragments still come.
    EXPECT_LT(s.find("[asc]"), s.find("[almuten]"));
    EXPECT_LT(s.find("[almuten]"), s.find("[sunMars]"));
    EXPECT_EQ(s.find("[sunIn1]"), std::string::npos);
    EXPECT_EQ(s.find("[sunSign]"), std::string::npos);
    EXPECT_EQ(s.find("[jupiterSaturn]"), std::string::npos);
    EXPECT_EQ(refs.ReferenceCount, 3);
}

}  // namespace
}  // namespace korv
