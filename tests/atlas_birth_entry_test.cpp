// The birth data dialog and the place selection dialog driven without windows: the
// record's texts, the birth line, Client.dat and the DataConfirmed/PlaceChosen rules.
#include <gtest/gtest.h>

#include "atlas_test_support.h"
#include "common/error.h"
#include "input/birth_data_entry.h"
#include "input/place_selection.h"

namespace korv {
namespace {

using atlas_test::entry;
using atlas_test::SampleCopy;

BirthDialogValues may1990() {
    BirthDialogValues v;
    v.name = cp("Иван Петров");
    v.day = 17;
    v.month = 5;
    v.year = 1990;
    v.hour = 14;
    v.minute = 30;
    v.summerTime = true;
    return v;
}

TEST(BirthEntry, DialogValuesBecomeTheRecordTexts) {
    TInData r;
    BirthDialogValues v = may1990();
    v.woman = true;
    StoreBirthDialogValues(v, r);
    EXPECT_EQ(r.dateText, "17.05.1990");
    EXPECT_EQ(r.timeText, "14:30:00");
    EXPECT_EQ(r.dstCode, "L");
    EXPECT_EQ(r.sexCode, "F");
    EXPECT_EQ(r.name, padRight(cp("Иван Петров"), 40));
    v = may1990();
    v.year = 45;
    v.day = 5;
    v.summerTime = false;
    v.name.clear();
    StoreBirthDialogValues(v, r);
    EXPECT_EQ(r.dateText, "05.05.0045");
    EXPECT_EQ(r.dstCode, "Z");
    EXPECT_EQ(r.sexCode, "M");
    EXPECT_EQ(r.name, std::string(40, ' '));
    v.name = std::string(45, 'N');  // the first 40 are kept
    StoreBirthDialogValues(v, r);
    EXPECT_EQ(r.name, std::string(40, 'N'));
}

TEST(BirthEntry, ValuesBeyondTheLimitsChangeNothing) {
    TInData r;
    StoreBirthDialogValues(may1990(), r);
    const TInData before = r;
    BirthDialogValues v = may1990();
    v.year = 3001;
    EXPECT_THROW(StoreBirthDialogValues(v, r), Error);
    v = may1990();
    v.minute = 60;
    EXPECT_THROW(StoreBirthDialogValues(v, r), Error);
    EXPECT_EQ(r.dateText, before.dateText);
    EXPECT_EQ(r.timeText, before.timeText);
    v = may1990();
    v.year = -999;  // the lowest year the date text holds
    StoreBirthDialogValues(v, r);
    EXPECT_EQ(r.dateText, "17.05.-999");
}

TEST(BirthEntry, OpeningTheDialogKeepsOnlyTheLine) {
    TInData r;
    r.line = "previous line";
    r.name = "x";
    r.zoneHours = 3;
    r.moment = 1;
    r.year = 1990;
    ClearBirthRecord(r);
    EXPECT_EQ(r.line, "previous line");
    EXPECT_TRUE(r.name.empty());
    EXPECT_EQ(r.zoneHours, 0);
    EXPECT_EQ(r.moment, 0);
    EXPECT_EQ(r.year, 0);
}

// One run of the two dialogs over a copy of the sample place files.
class BirthEntryRun : public ::testing::Test {
protected:
    // " Продолжить" of the birth data dialog; `city` empty means the place dialog is cancelled.
    void run(const BirthDialogValues& values, const char* country, const char* city) {
        ClearBirthRecord(record);
        StoreBirthDialogValues(values, record);
        places.activate(flags);
        if (city) {
            places.chooseRegion(*FindRegion("sng"));
            places.chooseCountry(entry(country));
            places.chooseCity(entry(city));
            places.confirm(record, flags);
        } else {
            PlaceSelection::cancel(flags);
        }
        FinishBirthDataEntry(record, flags, copy.sysDir());
    }
    std::string clientFile() const { return readFileBytes(copy.sysDir() / "Client.dat"); }

    SampleCopy copy;
    PlaceSelection places{copy.sysDir()};
    TInData record;
    BirthEntryFlags flags;
};

TEST_F(BirthEntryRun, PlaceChosenGivesTheConvertedLineAndClientDat) {
    run(may1990(), "Россия (Москва)", "Москва");
    EXPECT_TRUE(flags.PlaceChosen);
    EXPECT_TRUE(flags.DataConfirmed);
    ASSERT_EQ(record.line.size(), kBirthLineLength);
    EXPECT_EQ(record.line, padRight(cp("Иван Петров"), 40) + " 17.05.1990  14:30:00  " + padRight(cp("Москва"), 25) +
                               "   " + cp(" 37°37’ВД  55°45’СШ") + "    3.0  M  L");
    // ConvertBirthData ran: the moment is 14:30 local - 3 h zone - 1 h summer time = 10:30 UT.
    EXPECT_EQ(record.hour, 14);
    EXPECT_NEAR(record.moment, DayNumber1900(17, 5, 1990, 10, 30, 0), 1e-9);
    EXPECT_EQ(clientFile(), record.line + "\r\n");
}

TEST_F(BirthEntryRun, YearBelow1000KeepsTheLayout) {
    BirthDialogValues v = may1990();
    v.year = 45;
    run(v, "Россия (Москва)", "Москва");
    ASSERT_EQ(record.line.size(), kBirthLineLength);
    EXPECT_EQ(cutColumns(record.line, 42, 51), "17.05.0045");
    EXPECT_EQ(record.year, 45);
    EXPECT_EQ(record.zoneText, "  2.0");  // before 1930-06-16: zone field 1
}

TEST_F(BirthEntryRun, NoPlaceKeepsThePreviousLine) {
    run(may1990(), "Россия (Москва)", "Москва");
    const std::string firstLine = record.line;
    BirthDialogValues other = may1990();
    other.name = cp("Другой человек");
    run(other, nullptr, nullptr);
    EXPECT_FALSE(flags.PlaceChosen);
    EXPECT_FALSE(flags.DataConfirmed);
    EXPECT_EQ(record.line, firstLine);
    EXPECT_EQ(clientFile(), firstLine + "\r\n");
}

TEST_F(BirthEntryRun, NoPlaceBeforeAnyConfirmationWritesAnEmptyLine) {
    flags.DataConfirmed = true;  // left over: must not survive a run without a place
    run(may1990(), nullptr, nullptr);
    EXPECT_FALSE(flags.DataConfirmed);
    EXPECT_EQ(clientFile(), "\r\n");
}

TEST_F(BirthEntryRun, CancelClearsDataConfirmed) {
    run(may1990(), "Россия (Москва)", "Москва");
    CancelBirthDataEntry(flags);
    EXPECT_FALSE(flags.DataConfirmed);
}

class PlaceSelectionState : public ::testing::Test {
protected:
    SampleCopy copy;
    PlaceSelection places{copy.sysDir()};
    BirthEntryFlags flags;
    TInData record;
    void SetUp() override {
        record.dateText = "01.01.2000";
        record.timeText = "12:00:00";
        places.activate(flags);
    }
    void expectNoCity() {
        try {
            places.confirm(record, flags);
            FAIL() << "confirmed without a city";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), kNoCityMessage);
        }
        EXPECT_FALSE(flags.PlaceChosen);
        EXPECT_TRUE(record.city.empty());
    }
};

// Once the file holds the new city, the addition has succeeded even when reloading the
// list fails: the window must not report a failure for a city that was added.
TEST_F(PlaceSelectionState, ACityIsAddedEvenWhenTheListCannotBeReloaded) {
    places.chooseRegion(*FindRegion("sng"));
    places.chooseCountry(entry("Украина"));
    ReplaceHooks hooks;
    std::string added;
    hooks.afterRename = [&](const std::filesystem::path& target) {
        added = readFileBytes(target);
        std::filesystem::rename(target, target.string() + ".kept");
        std::filesystem::create_directory(target);  // the reload now meets a read error
    };
    NewCity city{.name = cp("Новый"), .latDegrees = "50", .latMinutes = "00", .lonDegrees = "30", .lonMinutes = "00"};
    EXPECT_NO_THROW(places.addCity(city, hooks));
    EXPECT_NE(added.find(cp(" Новый")), std::string::npos);
    EXPECT_TRUE(places.cities().empty());
}

TEST_F(PlaceSelectionState, NothingChosenIsRefused) {
    flags.PlaceChosen = true;
    expectNoCity();
    places.chooseRegion(*FindRegion("sng"));
    expectNoCity();
    places.chooseCountry(entry("Украина"));
    expectNoCity();
}

TEST_F(PlaceSelectionState, AnotherCountryForgetsTheCity) {
    places.chooseRegion(*FindRegion("sng"));
    places.chooseCountry(entry("Россия (Москва)"));
    places.chooseCity(entry("Москва"));
    places.chooseCountry(entry("Украина"));
    expectNoCity();
    places.chooseCity(entry("Киев"));
    places.confirm(record, flags);
    EXPECT_TRUE(flags.PlaceChosen);
    EXPECT_EQ(record.city, padRight(cp("Киев"), 25));
    EXPECT_EQ(record.zoneText, "  2.0");
}

TEST_F(PlaceSelectionState, AnotherRegionForgetsCountryAndCity) {
    places.chooseRegion(*FindRegion("sng"));
    places.chooseCountry(entry("Украина"));
    places.chooseCity(entry("Киев"));
    places.chooseRegion(*FindRegion("europa"));
    EXPECT_TRUE(places.cities().empty());
    EXPECT_FALSE(places.canAddCity());
    expectNoCity();
}

TEST_F(PlaceSelectionState, CountryClickWithoutRegionDoesNothing) {
    places.chooseCountry(entry("Украина"));
    EXPECT_FALSE(places.countryChosen());
    EXPECT_TRUE(places.cities().empty());
}

TEST_F(PlaceSelectionState, ListsAreSortedAsShown) {
    places.chooseRegion(*FindRegion("sng"));
    ASSERT_EQ(places.countries().size(), 7u);
    EXPECT_EQ(places.countries().front(), entry("Запад и юг"));
    EXPECT_EQ(places.countries().back(), entry("Украина"));
    places.chooseCountry(entry("Россия (Москва)"));
    EXPECT_EQ(places.cities().front(), entry("Zelenograd"));
    EXPECT_EQ(places.cities().back(), entry("Ярославль"));
    EXPECT_EQ(places.placeFilePath(), copy.file("sng.wdt"));
}

TEST_F(PlaceSelectionState, MissingPlaceFileLeavesNothingChosen) {
    places.chooseRegion(*FindRegion("sng"));
    EXPECT_THROW(places.chooseRegion(*FindRegion("azia")), Error);
    EXPECT_FALSE(places.regionChosen());
    EXPECT_TRUE(places.countries().empty());
    places.chooseCountry(entry("Украина"));
    EXPECT_FALSE(places.countryChosen());
}

TEST_F(PlaceSelectionState, AddCityNeedsACountryAndReloadsTheList) {
    NewCity c;
    c.name = cp("Одесса");
    c.latDegrees = "46";
    c.latMinutes = "29";
    c.lonDegrees = "30";
    c.lonMinutes = "44";
    places.chooseRegion(*FindRegion("sng"));
    try {
        places.addCity(c);
        FAIL() << "added without a country";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), kNoRegionAndCountryMessage);
    }
    places.chooseCountry(entry("Украина"));
    places.chooseCity(entry("Киев"));
    places.addCity(c);
    EXPECT_EQ(places.cities(), (std::vector<std::string>{entry("Киев"), entry("Одесса")}));
    EXPECT_FALSE(places.cityChosen());
    places.chooseCity(entry("Одесса"));
    places.confirm(record, flags);
    EXPECT_EQ(cp1251ToUtf8(record.coordText), " 30°44’ВД  46°29’СШ");
}

}  // namespace
}  // namespace korv

namespace korv {
namespace {

// What the atlas found against the box the user ticked.
TEST(SummerTimeQuestion, AskedOnlyWhenAtlasAndBoxDiffer) {
    ClockReading summer;
    summer.zoneHours = 3;
    summer.summer = true;
    EXPECT_EQ(SummerTimeQuestion(summer, true), "");
    const std::string asked = SummerTimeQuestion(summer, false);
    EXPECT_NE(asked.find("действовало летнее время"), std::string::npos) << asked;
    EXPECT_NE(asked.find("UT+3."), std::string::npos) << asked;
    EXPECT_NE(asked.find("не отмечен"), std::string::npos) << asked;

    ClockReading repeated = summer;
    repeated.change = ClockChangeCase::Repeated;
    EXPECT_NE(SummerTimeQuestion(repeated, false).find("дважды"), std::string::npos);
    ClockReading skipped;
    skipped.zoneHours = -5;
    skipped.change = ClockChangeCase::Skipped;
    const std::string skippedText = SummerTimeQuestion(skipped, true);
    EXPECT_NE(skippedText.find("летнего времени не было"), std::string::npos) << skippedText;
    EXPECT_NE(skippedText.find("UT-5."), std::string::npos) << skippedText;
    EXPECT_NE(skippedText.find("такого времени на часах не было"), std::string::npos) << skippedText;
    ClockReading meanTime;
    meanTime.zoneHours = 2.5 + 1 / 60.0;
    meanTime.localMeanTime = true;
    EXPECT_NE(SummerTimeQuestion(meanTime, true).find("местному среднему времени (UT+2.5)"), std::string::npos);
}

TEST(SummerTimeQuestion, ClockSummaryShowsWhatTheLineHolds) {
    TInData r;
    r.zoneText = "  3.0";
    SetSummerTime(r, true);
    EXPECT_EQ(r.dstCode, "L");
    EXPECT_EQ(ClockSummary(r), "UT+3, летнее время");
    r.zoneText = "-10.0";
    SetSummerTime(r, false);
    EXPECT_EQ(ClockSummary(r), "UT-10, без летнего времени");
    r.zoneText = "  5.8";
    EXPECT_EQ(ClockSummary(r), "UT+5.8, без летнего времени");
}

TEST_F(PlaceSelectionState, ConfirmKeepsTheAtlasClockOfACityWithAZone) {
    record.dateText = "01.07.1985";
    places.chooseRegion(*FindRegion("europa"));
    places.chooseCountry(entry("Пояса из таблицы"));
    places.chooseCity(entry("Северный город"));
    places.confirm(record, flags);
    ASSERT_TRUE(places.atlasClock());
    EXPECT_TRUE(places.atlasClock()->summer);
    places.chooseCity(entry("Город без пояса"));
    places.confirm(record, flags);
    EXPECT_FALSE(places.atlasClock());
}

}  // namespace
}  // namespace korv
