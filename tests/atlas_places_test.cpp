// Reading the place files: the two lists, the zone periods and the city lookup.
// Expected values come from the sample files in tests/data/atlas/System (their lines
// are quoted where it matters) and from the boundary table of the place file format.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>

#include "atlas_test_support.h"
#include "common/error.h"
#include "input/atlas.h"
#include "input/russian_order.h"

namespace korv {
namespace {

using atlas_test::entry;
using atlas_test::sampleFile;
using atlas_test::cityLine;
using atlas_test::countryLine;

std::string utf8(const std::string& cp1251) { return cp1251ToUtf8(cp1251); }

TEST(AtlasRegions, ShortCodesFindTheirFiles) {
    ASSERT_NE(FindRegion("azia"), nullptr);
    EXPECT_EQ(PlaceFilePath("/p/System", *FindRegion("azia")), std::filesystem::path("/p/System/azia.wdt"));
    EXPECT_EQ(FindRegion("asia"), nullptr);
}

TEST(AtlasLists, CountriesShowABlankWhereTheFileHasTheStar) {
    const auto countries = ReadCountryList(sampleFile("sng.wdt"));
    ASSERT_EQ(countries.size(), 7u);
    EXPECT_EQ(countries[0], entry("Россия (Москва)"));
    EXPECT_EQ(countries[0].size(), 30u);  // the zone fields are not part of the entry
    EXPECT_EQ(countries[6], entry("Страна в конце"));
}

TEST(AtlasLists, CitiesOfACountryAreItsBlockUnchanged) {
    const auto cities = ReadCityList(sampleFile("sng.wdt"), entry("Украина"));
    EXPECT_EQ(cities, std::vector<std::string>{entry("Киев")});
    // Column 1 of a city entry is the file's own blank.
    EXPECT_EQ(ReadCityList(sampleFile("sng.wdt"), entry("Россия (Москва)")).front(), entry("Москва"));
}

TEST(AtlasLists, CountryWithoutCitiesGivesAnEmptyList) {
    // At the end of the file.
    EXPECT_TRUE(ReadCityList(sampleFile("sng.wdt"), entry("Страна в конце")).empty());
    // Followed directly by another country line.
    TempDir dir;
    const auto file = dir.path() / "t.wdt";
    writeLines(file, {cp("*Первая"), cp("*Вторая"), entry("Город")});
    EXPECT_TRUE(ReadCityList(file, padRight(" " + cp("Первая"), 7)).empty());
    EXPECT_EQ(ReadCityList(file, " " + cp("Вторая")), std::vector<std::string>{entry("Город")});
}

TEST(AtlasLists, EntriesAreMatchedByteForByte) {
    // Without its padding the entry is another text and finds no country.
    EXPECT_THROW(ReadCityList(sampleFile("sng.wdt"), " " + cp("Украина")), Error);
    EXPECT_THROW(ReadCityList(sampleFile("sng.wdt"), entry("украина")), Error);
}

TEST(AtlasLists, LinesAreReadUpToTheirFirst30Characters) {
    TempDir dir;
    const auto file = dir.path() / "t.wdt";
    // A country name running past column 30 is cut there in the list.
    writeLines(file, {"*" + std::string(40, 'N') + "   3", " " + std::string(50, 'C')});
    const auto countries = ReadCountryList(file);
    ASSERT_EQ(countries.size(), 1u);
    EXPECT_EQ(countries[0], " " + std::string(29, 'N'));
    EXPECT_EQ(ReadCityList(file, countries[0]), std::vector<std::string>{" " + std::string(29, 'C')});
}

TEST(AtlasLists, NamesAreFoundAfterTrimmingBlanks) {
    const auto countries = ReadCountryList(sampleFile("sng.wdt"));
    EXPECT_EQ(FindEntryByName(countries, cp("Украина")), entry("Украина"));
    EXPECT_EQ(FindEntryByName(countries, cp("  Украина ")), entry("Украина"));
    EXPECT_EQ(FindEntryByName(countries, cp("Укр")), std::nullopt);
    // Two entries equal once trimmed: the first in file order.
    EXPECT_EQ(FindEntryByName({"  A", " A  ", " A"}, "A"), "  A");
}

TEST(AtlasOrder, CitiesSortAsARussianReaderExpects) {
    auto cities = ReadCityList(sampleFile("sng.wdt"), entry("Россия (Москва)"));
    SortRussian(cities);
    std::vector<std::string> shown;
    for (const auto& c : cities) shown.push_back(utf8(trimBlanks(c)));
    // Latin before Cyrillic; Ё right after Е; lowercase "яровое" among the Я words.
    EXPECT_EQ(shown, (std::vector<std::string>{"Zelenograd", "Абакан", "Ейск", "Ёлкино", "Жуковский", "Москва",
                                                "Санкт-Петербург", "яровое", "Ярославль"}));
}

struct OrderRow {
    const char* name;
    const char* before;
    const char* after;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const OrderRow& r) { return os << r.name; }

class AtlasOrderRows : public ::testing::TestWithParam<OrderRow> {};

TEST_P(AtlasOrderRows, SortsBefore) {
    const std::string a = cp(GetParam().before), b = cp(GetParam().after);
    EXPECT_LT(RussianCompare(a, b), 0);
    EXPECT_GT(RussianCompare(b, a), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtlasOrderRows,
    ::testing::Values(OrderRow{"YoAfterYe", "Ежевика", "Ёж"}, OrderRow{"YoBeforeZhe", "Ёлки", "Жуков"},
                      OrderRow{"CaseFolded", "абвгд", "Абвге"}, OrderRow{"LowerYaAmongYa", "ягода", "Якутск"},
                      OrderRow{"BlankPaddingFirst", " Тула                         ", " Тулун"},
                      OrderRow{"DigitsBeforeLetters", "1 Мая", "Абакан"},
                      OrderRow{"LatinBeforeCyrillic", "Zurich", "Абакан"},
                      OrderRow{"UkrainianYeAfterYo", "Ёлки", "Євпаторія"},
                      OrderRow{"EqualButCaseByBytes", "МОСКВА", "москва"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtlasOrder, EqualTextsCompareEqual) { EXPECT_EQ(RussianCompare(cp("Орёл"), cp("Орёл")), 0); }

// The boundary table: each first day of a period, as a date and as its Julian day.
struct BoundaryRow {
    const char* name;
    int day, month, year;
    double julianDay;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const BoundaryRow& r) { return os << r.name; }

class AtlasBoundaries : public ::testing::TestWithParam<BoundaryRow> {};

TEST_P(AtlasBoundaries, DateGivesItsJulianDay) {
    const auto& r = GetParam();
    EXPECT_DOUBLE_EQ(JulianDayAt0h(r.day, r.month, r.year), r.julianDay);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtlasBoundaries,
    ::testing::Values(BoundaryRow{"P2_1924_05_01", 1, 5, 1924, 2423906.5},
                      BoundaryRow{"P3_1930_06_16", 16, 6, 1930, 2426143.5},
                      BoundaryRow{"P4_1931_02_09", 9, 2, 1931, 2426381.5},
                      BoundaryRow{"P5_1956_12_01", 1, 12, 1956, 2435808.5},
                      BoundaryRow{"P6_1981_04_01", 1, 4, 1981, 2444695.5},
                      BoundaryRow{"P7_1982_04_01", 1, 4, 1982, 2445060.5},
                      BoundaryRow{"P8_1989_03_26", 26, 3, 1989, 2447611.5},
                      BoundaryRow{"P9_1990_03_25", 25, 3, 1990, 2447975.5},
                      BoundaryRow{"P10_1990_09_30", 30, 9, 1990, 2448164.5},
                      BoundaryRow{"P11_1992_01_19", 19, 1, 1992, 2448640.5},
                      BoundaryRow{"J2000Noon", 1, 1, 2000, 2451544.5}),  // JD 2451545.0 at 12 h
    [](const auto& info) { return std::string(info.param.name); });

// "*Проверка периодов" carries zone k in zone field k, so the zone names the field.
struct PeriodRow {
    const char* name;
    int day, month, year;
    int period;
    double zone;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const PeriodRow& r) { return os << r.name; }

class AtlasPeriods : public ::testing::TestWithParam<PeriodRow> {};

TEST_P(AtlasPeriods, DateTakesTheZoneFieldOfItsPeriod) {
    const auto& r = GetParam();
    EXPECT_EQ(ZonePeriod(JulianDayAt0h(r.day, r.month, r.year)), r.period);
    const ChosenPlace p =
        LookUpPlace(sampleFile("sng.wdt"), entry("Проверка периодов"), entry("Город периодов"), {r.year, r.month, r.day});
    EXPECT_EQ(p.zoneHours, r.zone);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtlasPeriods,
    ::testing::Values(PeriodRow{"Year1000", 1, 1, 1000, 1, 1}, PeriodRow{"Day1924_04_30", 30, 4, 1924, 1, 1},
                      PeriodRow{"Day1924_05_01", 1, 5, 1924, 2, 1}, PeriodRow{"Day1930_06_15", 15, 6, 1930, 2, 1},
                      PeriodRow{"Day1930_06_16", 16, 6, 1930, 3, 2}, PeriodRow{"Day1931_02_08", 8, 2, 1931, 3, 2},
                      PeriodRow{"Day1931_02_09", 9, 2, 1931, 4, 3}, PeriodRow{"Day1956_12_01", 1, 12, 1956, 5, 4},
                      PeriodRow{"Day1981_04_01", 1, 4, 1981, 6, 5}, PeriodRow{"Day1982_04_01", 1, 4, 1982, 7, 6},
                      PeriodRow{"Day1989_03_26", 26, 3, 1989, 8, 7}, PeriodRow{"Day1990_03_25", 25, 3, 1990, 9, 8},
                      PeriodRow{"Day1990_09_30", 30, 9, 1990, 10, 9}, PeriodRow{"Day1992_01_18", 18, 1, 1992, 10, 9},
                      PeriodRow{"Day1992_01_19", 19, 1, 1992, 11, 10}, PeriodRow{"Year3000", 1, 1, 3000, 11, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtlasZones, MoscowChangesOnTheBoundaryDay) {
    // "*Россия (Москва)" fields: 2 3 3 3 3 3 3 3 2 3 3.
    auto zone = [](int d, int m, int y) {
        return LookUpPlace(sampleFile("sng.wdt"), entry("Россия (Москва)"), entry("Москва"), {y, m, d});
    };
    EXPECT_EQ(zone(15, 6, 1930).zoneText, "  2.0");
    EXPECT_EQ(zone(16, 6, 1930).zoneText, "  3.0");
    EXPECT_EQ(zone(18, 1, 1992).zoneHours, 2.0);
    EXPECT_EQ(zone(19, 1, 1992).zoneHours, 3.0);
}

TEST(AtlasZones, ZoneTextKeepsOneDecimal) {
    const auto nepal = LookUpPlace(sampleFile("sng.wdt"), entry("Непал"), entry("Катманду"), {2000, 1, 1});
    EXPECT_EQ(nepal.zoneHours, 5.75);  // as the file has it; the record's line then holds 5.8
    EXPECT_EQ(nepal.zoneText, "  5.8");
    const auto west = [](int year) {
        return LookUpPlace(sampleFile("sng.wdt"), entry("Запад и юг"), entry("Гонолулу"), {year, 1, 1}).zoneText;
    };
    EXPECT_EQ(west(1925), "-11.0");
    EXPECT_EQ(west(2000), "-10.0");  // fills all five characters
    // Four blanks in a zone field read as 0.
    EXPECT_EQ(LookUpPlace(sampleFile("sng.wdt"), entry("Нулевой пояс"), entry("Гринвичский город"), {2000, 1, 1})
                  .zoneText,
              "  0.0");
}

TEST(AtlasZones, FieldsAreReadAtTheirColumns) {
    const std::string line = "*" + padRight("X", 31) + "   1  -2 5.5" + std::string(28, ' ') + "  11";
    const auto zones = ReadZoneFields(line);
    EXPECT_EQ(zones[0], 1);
    EXPECT_EQ(zones[1], -2);
    EXPECT_EQ(zones[2], 5.5);
    EXPECT_EQ(zones[3], 0);
    EXPECT_EQ(zones[10], 11);
    // A line that stops early: the fields it does not reach are 0.
    EXPECT_EQ(ReadZoneFields("*X")[0], 0);
}

TEST(AtlasZones, AFieldThatIsNotANumberNamesItsColumns) {
    const std::string line = "*" + padRight("X", 31) + "   3  3 " + std::string(36, ' ');
    try {
        ReadZoneFields(line, "System/sng.wdt, строка 4");
        FAIL() << "a zone field with a trailing blank was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "System/sng.wdt, строка 4, пояс 2 (столбцы 37-40): '  3 ' is not a valid floating point value");
    }
}

// Coordinate texts of the sample cities.
struct CoordRow {
    const char* name;
    const char* file;
    const char* country;
    const char* city;
    const char* coordText;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const CoordRow& r) { return os << r.name; }

class AtlasCoordinates : public ::testing::TestWithParam<CoordRow> {};

TEST_P(AtlasCoordinates, CityLineGivesTheCoordinateText) {
    const auto& r = GetParam();
    const auto p = LookUpPlace(sampleFile(r.file), entry(r.country), entry(r.city), {2000, 1, 1});
    EXPECT_EQ(utf8(p.coordText), r.coordText);
    EXPECT_EQ(p.coordText.size(), 19u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtlasCoordinates,
    ::testing::Values(CoordRow{"NorthEast", "sng.wdt", "Россия (Москва)", "Москва", " 37°37’ВД  55°45’СШ"},
                      CoordRow{"ThreeDigitWest", "sng.wdt", "Запад и юг", "Гонолулу", "157°51’ЗД  21°18’СШ"},
                      CoordRow{"SouthWest", "sng.wdt", "Запад и юг", "Южный город", " 70°05’ЗД   5°30’ЮШ"},
                      CoordRow{"MinusZeroIsSouthWest", "sng.wdt", "Запад и юг", "Около нуля", "  0°07’ЗД   0°07’ЮШ"},
                      CoordRow{"LondonMinusZeroWest", "europa.wdt", "Великобритания", "Лондон",
                               "  0°07’ЗД  51°30’СШ"},
                      CoordRow{"ZeroDegrees", "sng.wdt", "Нулевой пояс", "Гринвичский город", "  0°00’ВД  51°28’СШ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtlasLookup, CityNameKeeps25Characters) {
    // Sample names of 25, 29 and 30 characters: all are listed with up to 29 (columns
    // 2-30) and stored with 25 (columns 2-26).
    const auto cities = ReadCityList(sampleFile("sng.wdt"), entry("Запад и юг"));
    const std::string n25 = cp("Двадцать пять букв назван");
    const std::string n29 = cp("Двадцать девять букв названия");
    ASSERT_EQ(n25.size(), 25u);
    ASSERT_EQ(n29.size(), 29u);
    EXPECT_NE(std::find(cities.begin(), cities.end(), " " + n25 + "    "), cities.end());
    EXPECT_NE(std::find(cities.begin(), cities.end(), " " + n29), cities.end());
    auto city = [](const std::string& e) {
        return LookUpPlace(sampleFile("sng.wdt"), entry("Запад и юг"), e, {2000, 1, 1}).city;
    };
    EXPECT_EQ(city(" " + n25 + "    "), n25);
    EXPECT_EQ(city(" " + n29), n29.substr(0, 25));
}

TEST(AtlasLookup, DuplicateFirst30EntriesFindTheFirstLine) {
    // "Город с названием из 30 букв А" (42°01' 42°02') and "... Б" (43°01' 43°02') differ
    // only in character 30, which the entry does not hold.
    const auto cities = ReadCityList(sampleFile("sng.wdt"), entry("Запад и юг"));
    const std::string dup = " " + cp("Город с названием из 30 букв ");
    EXPECT_EQ(std::count(cities.begin(), cities.end(), dup), 2);
    const auto p = LookUpPlace(sampleFile("sng.wdt"), entry("Запад и юг"), dup, {2000, 1, 1});
    EXPECT_EQ(utf8(p.coordText), " 42°02’ВД  42°01’СШ");
    EXPECT_EQ(p.city, cp("Город с названием из 30 б"));
}

TEST(AtlasLookup, RecordGetsThePlaceForItsDateText) {
    TInData r;
    r.dateText = "16.06.1930";
    r.timeText = "12:00:00";
    ChoosePlaceForRecord(r, sampleFile("sng.wdt"), entry("Россия (Москва)"), entry("Москва"));
    EXPECT_EQ(r.city, padRight(cp("Москва"), 25));
    EXPECT_EQ(utf8(r.coordText), " 37°37’ВД  55°45’СШ");
    EXPECT_EQ(r.zoneText, "  3.0");
    EXPECT_EQ(r.zoneHours, 3.0);
    r.dateText = "15.06.1930";
    ChoosePlaceForRecord(r, sampleFile("sng.wdt"), entry("Россия (Москва)"), entry("Москва"));
    EXPECT_EQ(r.zoneHours, 2.0);
}

// A lone CR inside a name (a damaged file) belongs to the name in the list and in the
// lookup alike; it once ended the list's line early and the lookup answered that the
// file had changed.
TEST(AtlasLookup, ALoneCarriageReturnReadsTheSameInTheListAndTheLookup) {
    TempDir dir;
    const auto file = dir.path() / "sng.wdt";
    std::string odd = cityLine("Город", " 10 00   10 00");
    odd[29] = '\r';  // the 30th character: the last one the list keeps
    std::string early = cityLine("Село", " 20 00   20 00");
    early[5] = '\r';
    writeLines(file, {countryLine("Страна", "   3"), odd, early});
    for (const std::string& city : ReadCityList(file, entry("Страна")))
        EXPECT_NO_THROW(LookUpPlace(file, entry("Страна"), city, {2000, 1, 1})) << city;
}

class AtlasChangedFile : public ::testing::Test {
protected:
    void SetUp() override {
        writeLines(file, {countryLine("Первая", "   3"), cityLine("Город", " 10 00   10 00"),
                          countryLine("Вторая", "   4"), cityLine("Село", " 20 00   20 00")});
        record.dateText = "01.01.2000";
        record.timeText = "12:00:00";
        record.city = "old city";
        record.coordText = "old coordinates";
        record.zoneText = "old";
        record.zoneHours = 7;
    }
    void expectRecordUntouched() const {
        EXPECT_EQ(record.city, "old city");
        EXPECT_EQ(record.coordText, "old coordinates");
        EXPECT_EQ(record.zoneText, "old");
        EXPECT_EQ(record.zoneHours, 7);
    }
    TempDir dir;
    std::filesystem::path file = dir.path() / "sng.wdt";
    TInData record;
};

TEST_F(AtlasChangedFile, CountryGoneStopsWithAMessageAndStoresNothing) {
    const auto countries = ReadCountryList(file);
    writeLines(file, {countryLine("Вторая", "   4"), cityLine("Село", " 20 00   20 00")});
    try {
        ChoosePlaceForRecord(record, file, countries[0], entry("Город"));
        FAIL() << "a vanished country was looked up";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Страна «Первая» не найдена в файле"), std::string::npos) << e.what();
    }
    expectRecordUntouched();
    EXPECT_THROW(ReadCityList(file, countries[0]), Error);
}

TEST_F(AtlasChangedFile, CityGoneIsNotTakenFromTheNextCountry) {
    // "Село" now stands under "Первая" no more, but still under "Вторая": the lookup must
    // not pair the first country's zone with the second country's city.
    writeLines(file, {countryLine("Первая", "   3"), countryLine("Вторая", "   4"),
                      cityLine("Село", " 20 00   20 00")});
    try {
        ChoosePlaceForRecord(record, file, entry("Первая"), entry("Село"));
        FAIL() << "a city of another country was taken";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Город «Село» не найден в стране «Первая»"), std::string::npos)
            << e.what();
    }
    expectRecordUntouched();
}

TEST_F(AtlasChangedFile, UnreadableCityLineStoresNothing) {
    writeLines(file, {countryLine("Первая", "   3"), cityLine("Город", " 1x 00   10 00"),
                      cityLine("Посёлок", " 10 7x   10 00")});
    try {
        ChoosePlaceForRecord(record, file, entry("Первая"), entry("Город"));
        FAIL() << "a latitude '1x' was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  displayPath(file) + ", строка 2, широта, градусы (столбцы 32-34): ' 1x' is not a valid integer value");
    }
    EXPECT_THROW(ChoosePlaceForRecord(record, file, entry("Первая"), entry("Посёлок")), Error);  // minutes "7x"
    expectRecordUntouched();
}

TEST(AtlasLookup, MissingPlaceFileIsAnError) {
    TempDir dir;
    EXPECT_THROW(ReadCountryList(dir.path() / "sng.wdt"), Error);
    EXPECT_THROW(LookUpPlace(dir.path() / "sng.wdt", " A", " B", {2000, 1, 1}), Error);
}

}  // namespace
}  // namespace korv
