// Spot checks of the program's own atlas (data/System/*.wdt with zones.dat). The
// expected zone and summer time are those of the IANA time-zone database for the
// local date and time (the files and the table are generated from it), chosen where
// the atlases of old went wrong: the changes after 1992 in the former USSR, London's
// all-year summer time of 1968-71, Paris on Greenwich time in the 1930s, Bali east of
// the Jakarta line. A file not generated yet skips its rows.
#include <gtest/gtest.h>

#include <ostream>

#include <set>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "input/atlas.h"
#include "input/zone_table.h"

namespace korv {
namespace {

const std::filesystem::path kSysDir = std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data" / "System";

std::filesystem::path realFile(std::string_view regionCode) {
    return kSysDir / std::string(FindRegion(regionCode)->fileName);
}

struct SpotRow {
    const char* name;
    const char* region;
    const char* country;  // the country line to use, or nullptr: the first holding the city
    const char* city;
    LocalDateTime local;
    const char* zoneText;
    bool summer;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const SpotRow& r) { return os << r.name; }

class RealAtlasSpots : public ::testing::TestWithParam<SpotRow> {};

TEST_P(RealAtlasSpots, ZoneAndSummerTimeAtTheMoment) {
    const SpotRow& r = GetParam();
    const auto file = realFile(r.region);
    if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is not generated yet";

    std::vector<std::string> countries = ReadCountryList(file);
    if (r.country) {
        const auto country = FindEntryByName(countries, cp(r.country));
        ASSERT_TRUE(country) << "no country line '" << r.country << "'";
        countries = {*country};
    }
    std::string country, city;
    for (const auto& c : countries) {
        if (const auto found = FindEntryByName(ReadCityList(file, c), cp(r.city))) {
            country = c;
            city = *found;
            break;
        }
    }
    ASSERT_FALSE(city.empty()) << "city '" << r.city << "' not found";
    const ChosenPlace place = LookUpPlace(file, country, city, r.local);
    EXPECT_EQ(place.zoneText, r.zoneText) << cp1251ToUtf8(country);
    ASSERT_TRUE(place.clock) << "no zone name";
    EXPECT_EQ(place.clock->summer, r.summer);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RealAtlasSpots,
    ::testing::Values(
        // The example chart: summer time as the user ticks it.
        SpotRow{"Moscow1990", "sng", "Россия (Москва)", "Москва", {1990, 5, 17, 14, 30}, "  3.0", true},
        SpotRow{"MoscowSummerTimeAllYear2012", "sng", "Россия (Москва)", "Москва", {2012, 7, 15, 12}, "  4.0",
                false},
        // The decree of 16 June 1930 moved Moscow's clocks on 21 June.
        SpotRow{"MoscowBeforeTheDecreeHour", "sng", "Россия (Москва)", "Москва", {1930, 6, 18, 12}, "  2.0", false},
        SpotRow{"Minsk2012", "sng", "Беларусь", "Минск", {2012, 1, 15, 12}, "  3.0", false},
        SpotRow{"Novosibirsk2015", "sng", nullptr, "Новосибирск", {2015, 1, 15, 12}, "  6.0", false},
        SpotRow{"Novosibirsk2020", "sng", nullptr, "Новосибирск", {2020, 1, 15, 12}, "  7.0", false},
        SpotRow{"Saratov2020", "sng", nullptr, "Саратов", {2020, 7, 15, 12}, "  4.0", false},
        SpotRow{"Almaty2025", "sng", nullptr, "Алматы", {2025, 1, 15, 12}, "  5.0", false},
        SpotRow{"LondonStandardTime1970", "europa", "Великобритания", "Лондон", {1970, 1, 15, 12}, "  1.0", false},
        SpotRow{"Paris1935Winter", "europa", "Франция", "Париж", {1935, 1, 15, 12}, "  0.0", false},
        SpotRow{"Paris1935Summer", "europa", "Франция", "Париж", {1935, 7, 15, 12}, "  0.0", true},
        SpotRow{"Denpasar1990", "azia", nullptr, "Денпасар", {1990, 7, 1, 12}, "  8.0", false},
        SpotRow{"NewYork1970Winter", "namerica", nullptr, "Нью-Йорк", {1970, 1, 15, 12}, " -5.0", false},
        SpotRow{"NewYork1970Summer", "namerica", nullptr, "Нью-Йорк", {1970, 7, 15, 12}, " -5.0", true},
        SpotRow{"SydneySummerInJanuary", "austral", nullptr, "Сидней", {2000, 1, 15, 12}, " 10.0", true},
        SpotRow{"Kathmandu2000", "azia", nullptr, "Катманду", {2000, 6, 1, 12}, "  5.8", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Every line of every generated file reads as the lookup reads it: zone fields are
// numbers, coordinates fit the coordinate text, every city names a zone of the zone
// table, lines end with CR LF and fit 80 columns, and no two cities of a country line
// share their list entry.
class RealAtlasFiles : public ::testing::TestWithParam<Region> {};

}  // namespace
// Found by argument lookup in namespace korv, where Region lives.
std::ostream& operator<<(std::ostream& os, const Region& r) { return os << r.code; }
namespace {

TEST_P(RealAtlasFiles, EveryLineReads) {
    const auto file = realFile(GetParam().code);
    if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is not generated yet";
    const std::string bytes = readFileBytes(file);
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a line without CR at byte " << i;
    LineReader reader(file);
    std::string line;
    int countries = 0, cities = 0;
    std::set<std::string> entries, zones;
    while (reader.next(line)) {
        const std::string where = displayPath(file) + ", строка " + std::to_string(reader.lineNumber());
        ASSERT_LE(line.size(), kPlaceLineLength) << where;
        if (!line.empty() && line[0] == '*') {
            EXPECT_NO_THROW(ReadZoneFields(line, where)) << where;
            ++countries;
            entries.clear();
        } else {
            ASSERT_GT(countries, 0) << where << ": a city before any country";
            EXPECT_NO_THROW(CoordTextFromCityLine(line, where)) << where;
            EXPECT_TRUE(entries.insert(line.substr(0, kPlaceEntryLength)).second) << where << ": entry repeated";
            const std::string zone = CityZoneName(line);
            EXPECT_FALSE(zone.empty()) << where;
            zones.insert(zone);
            ++cities;
        }
    }
    EXPECT_GT(countries, 0);
    EXPECT_GT(cities, countries);
    for (const std::string& zone : zones) EXPECT_NO_THROW(ReadZoneHistory(ZoneTablePath(kSysDir), zone)) << zone;
}

INSTANTIATE_TEST_SUITE_P(Regions, RealAtlasFiles, ::testing::ValuesIn(Regions().begin(), Regions().end()),
                         [](const auto& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace korv
