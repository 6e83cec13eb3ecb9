// Zone histories: the calendar arithmetic, the table reader and the reading of a local
// clock time, on the sample table tests/data/atlas/System/zones.dat. Its two made-up
// zones ("Test/North": standard +2 from 1920, summer time +3 in 1981-1990, standard +3
// from 1991, summer time +4 from 1995; "Test/South": standard +10, summer time +11 from
// October to April since 2008) give the expected values by hand; the weekdays of the
// change dates were checked against a calendar.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "atlas_test_support.h"
#include "common/error.h"
#include "input/atlas.h"
#include "input/local_clock.h"
#include "input/zone_table.h"

namespace korv {
namespace {

using atlas_test::entry;
using atlas_test::sampleFile;
using atlas_test::sampleSysDir;

TEST(ZoneCalendar, DaysFromCivilAndBack) {
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
    EXPECT_EQ(DaysFromCivil(1900, 1, 1), -25567);
    EXPECT_EQ(DaysFromCivil(2001, 1, 1) - DaysFromCivil(2000, 1, 1), 366);  // 2000 is a leap year
    EXPECT_EQ(DaysFromCivil(1901, 1, 1) - DaysFromCivil(1900, 1, 1), 365);  // 1900 is not
    // Every first and last day of a month from -1000 to 3100 has its own year.
    for (int year = -1000; year <= 3100; ++year)
        for (int month = 1; month <= 12; ++month) {
            const std::int64_t first = DaysFromCivil(year, month, 1);
            ASSERT_EQ(YearOfDays(first), year) << year << "-" << month;
            ASSERT_EQ(YearOfDays(first - 1), month == 1 ? year - 1 : year) << year << "-" << month;
        }
}

ZoneHistory sampleZone(const char* name) { return ReadZoneHistory(sampleFile("zones.dat"), name); }

TEST(ZoneTable, ReadsZonesAndAliases) {
    const ZoneHistory north = sampleZone("Test/North");
    EXPECT_EQ(north.name(), "Test/North");
    EXPECT_EQ(sampleZone("Test/Alias").name(), "Test/North");
    const std::int64_t july1985 = DaysFromCivil(1985, 7, 1) * 86400;
    EXPECT_EQ(north.at(july1985), (ClockPeriod{10800, ClockKind::Summer}));
    EXPECT_EQ(north.at(DaysFromCivil(1900, 1, 1) * 86400).kind, ClockKind::LocalMean);
    // The changes of a closed run of years, and none after it until the open rule.
    const auto changes1985 = north.changesBetween(DaysFromCivil(1985, 1, 1) * 86400, DaysFromCivil(1986, 1, 1) * 86400);
    ASSERT_EQ(changes1985.size(), 2u);
    EXPECT_EQ(changes1985[0].ut, DaysFromCivil(1985, 3, 31) * 86400);  // 02:00 at +2
    EXPECT_EQ(changes1985[1].ut, DaysFromCivil(1985, 9, 29) * 86400);  // 03:00 at +3
    EXPECT_TRUE(north.changesBetween(DaysFromCivil(1992, 1, 1) * 86400, DaysFromCivil(1995, 1, 1) * 86400).empty());
}

TEST(ZoneTable, MissingZoneTableOrLineIsAnError) {
    try {
        sampleZone("Test/Nowhere");
        FAIL() << "an unknown zone was read";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Часовой пояс «Test/Nowhere» не найден в таблице"), std::string::npos);
    }
    TempDir dir;
    EXPECT_THROW(ReadZoneHistory(dir.path() / "zones.dat", "Test/North"), Error);
    writeLines(dir.path() / "zones.dat", {"Z Test/Bad 0 L", "19200101000000 7200 X"});
    try {
        ReadZoneHistory(dir.path() / "zones.dat", "Test/Bad");
        FAIL() << "a kind X was read";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("zones.dat, строка 2"), std::string::npos) << e.what();
    }
}

struct ClockRow {
    const char* name;
    const char* zone;
    LocalDateTime local;
    double longitude;
    double zoneHours;
    bool summer, localMean;
    ClockChangeCase change;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const ClockRow& r) { return os << r.name; }

class LocalClock : public ::testing::TestWithParam<ClockRow> {};

TEST_P(LocalClock, ZoneAndSummerTime) {
    const ClockRow& r = GetParam();
    const ClockReading c = ReadLocalClock(sampleZone(r.zone), r.local, r.longitude);
    EXPECT_NEAR(c.zoneHours, r.zoneHours, 1e-9);
    EXPECT_EQ(c.summer, r.summer);
    EXPECT_EQ(c.localMeanTime, r.localMean);
    EXPECT_EQ(static_cast<int>(c.change), static_cast<int>(r.change));
    EXPECT_EQ(c.offsetSeconds, std::lround(c.zoneHours * 3600) + (c.summer ? 3600 : 0));
}

constexpr double kNorthLon = 49.1;       // local mean time +3:16:24
constexpr double kSouthLon = 151.21667;  // +10:04:52
const auto None = ClockChangeCase::None;
const auto Repeated = ClockChangeCase::Repeated;
const auto Skipped = ClockChangeCase::Skipped;

INSTANTIATE_TEST_SUITE_P(
    Rows, LocalClock,
    ::testing::Values(
        ClockRow{"LongBeforeStandardTime", "Test/North", {-500, 6, 1, 12}, kNorthLon, 11784 / 3600.0, false, true, None},
        ClockRow{"LocalMeanTimeIsTheCitysOwn", "Test/North", {1900, 6, 1, 12}, kNorthLon, 11784 / 3600.0, false, true,
                 None},
        // At 21:30 UT on 31.12.1919 the city's clocks went from 00:46:24 back to 23:30.
        ClockRow{"RepeatedAtStandardTimeIsStillMeanTime", "Test/North", {1920, 1, 1, 0, 0}, kNorthLon, 11784 / 3600.0,
                 false, true, Repeated},
        ClockRow{"StandardTime", "Test/North", {1920, 1, 1, 1, 0}, kNorthLon, 2, false, false, None},
        ClockRow{"SummerTime", "Test/North", {1985, 7, 1, 12}, kNorthLon, 2, true, false, None},
        ClockRow{"SkippedHourIsReadBeforeTheChange", "Test/North", {1985, 3, 31, 2, 30}, kNorthLon, 2, false, false,
                 Skipped},
        ClockRow{"RepeatedHourIsItsFirstPass", "Test/North", {1985, 9, 29, 2, 30}, kNorthLon, 2, true, false, Repeated},
        ClockRow{"SecondHalfOfTheRepeatedHour", "Test/North", {1985, 9, 29, 3, 0}, kNorthLon, 2, false, false, None},
        ClockRow{"StandardTimeChangedOnNewYear", "Test/North", {1991, 1, 1, 2, 30}, kNorthLon, 2, false, false, Skipped},
        ClockRow{"NoSummerTimeBetweenTheRules", "Test/North", {1993, 7, 1, 12}, kNorthLon, 3, false, false, None},
        ClockRow{"OpenRuleSummer", "Test/North", {2020, 7, 1, 12}, kNorthLon, 3, true, false, None},
        ClockRow{"OpenRuleWinter", "Test/North", {2020, 12, 1, 12}, kNorthLon, 3, false, false, None},
        ClockRow{"OpenRuleGoesOn", "Test/North", {3000, 7, 1, 12}, kNorthLon, 3, true, false, None},
        ClockRow{"SouthBeforeItsRule", "Test/South", {2000, 1, 15, 12}, kSouthLon, 10, false, false, None},
        ClockRow{"SouthSummerInJanuary", "Test/South", {2020, 1, 15, 12}, kSouthLon, 10, true, false, None},
        ClockRow{"SouthWinterInJuly", "Test/South", {2020, 7, 15, 12}, kSouthLon, 10, false, false, None},
        ClockRow{"SouthSkippedInOctober", "Test/South", {2020, 10, 4, 2, 30}, kSouthLon, 10, false, false, Skipped},
        ClockRow{"SouthRepeatedInApril", "Test/South", {2020, 4, 5, 2, 30}, kSouthLon, 10, true, false, Repeated}),
    [](const auto& info) { return std::string(info.param.name); });

// Cities of the sample atlas with zone names ("*Пояса из таблицы", zone fields all 2).
TEST(AtlasZoneNames, CityLinesCarryTheirZoneAfterColumn46) {
    const std::string line = padRight(" " + cp("Город"), 31) + " 55 45   49 06 Europe/Moscow";
    EXPECT_EQ(CityZoneName(line), "Europe/Moscow");
    EXPECT_EQ(CityZoneName(line.substr(0, 45)), "");
    EXPECT_NEAR(CityLongitude(line), 49.1, 1e-12);
    EXPECT_NEAR(CityLongitude(padRight(" X", 31) + " 51 30   -0 07"), -7 / 60.0, 1e-12);
}

ChosenPlace lookUp(const char* city, const LocalDateTime& when) {
    return LookUpPlace(sampleFile("europa.wdt"), entry("Пояса из таблицы"), entry(city), when);
}

TEST(AtlasZoneNames, ZoneAndSummerTimeComeFromTheHistory) {
    const ChosenPlace summer = lookUp("Северный город", {1985, 7, 1, 12});
    EXPECT_EQ(summer.zoneName, "Test/North");
    EXPECT_EQ(summer.zoneText, "  2.0");
    ASSERT_TRUE(summer.clock);
    EXPECT_TRUE(summer.clock->summer);
    // The same city on a date when the country line's field would say 2: the history says 3.
    EXPECT_EQ(lookUp("Северный город", {1993, 7, 1, 12}).zoneText, "  3.0");
    EXPECT_EQ(lookUp("Другое имя пояса", {1993, 7, 1, 12}).zoneText, "  3.0");
    // Before standard time: the city's own mean time, one decimal in the zone text.
    EXPECT_EQ(lookUp("Северный город", {1900, 7, 1, 12}).zoneText, "  3.3");
    EXPECT_EQ(lookUp("Южный город", {2020, 1, 15, 12}).zoneText, " 10.0");
}

TEST(AtlasZoneNames, CityWithoutZoneNameKeepsTheCountryLine) {
    const ChosenPlace p = lookUp("Город без пояса", {1993, 7, 1, 12});
    EXPECT_EQ(p.zoneName, "");
    EXPECT_FALSE(p.clock);
    EXPECT_EQ(p.zoneText, "  2.0");
}

TEST(AtlasZoneNames, UnknownZoneNameStopsTheLookup) {
    TInData record;
    record.dateText = "01.07.1993";
    record.timeText = "12:00:00";
    EXPECT_THROW(ChoosePlaceForRecord(record, sampleFile("europa.wdt"), entry("Пояса из таблицы"),
                                      entry("Город с неизвестным поясом")),
                 Error);
    EXPECT_TRUE(record.city.empty());
    const ChosenPlace p = ChoosePlaceForRecord(record, sampleFile("europa.wdt"), entry("Пояса из таблицы"),
                                               entry("Северный город"));
    EXPECT_EQ(record.zoneText, "  3.0");
    EXPECT_FALSE(p.clock->summer);
}

}  // namespace
}  // namespace korv
