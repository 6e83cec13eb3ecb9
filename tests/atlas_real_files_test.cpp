// Spot checks of the program's own place files (data/System/*.wdt). The expected zones
// are the standard times of the IANA time-zone database for the sampled dates (the
// files are generated from it); each zone stands for its whole period, so the dates are
// chosen where the period's zone is not in doubt. A file not generated yet skips its rows.
#include <gtest/gtest.h>

#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "input/atlas.h"

namespace korv {
namespace {

std::filesystem::path realFile(std::string_view regionCode) {
    return std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data" / "System" /
           std::string(FindRegion(regionCode)->fileName);
}

struct SpotRow {
    const char* name;
    const char* region;
    const char* country;  // the country line to use, or nullptr: the first holding the city
    std::vector<const char*> cityNames;  // the city as the atlas may spell it
    int day, month, year;
    double zone;
    const char* zoneText;
};

class RealAtlasSpots : public ::testing::TestWithParam<SpotRow> {};

TEST_P(RealAtlasSpots, ZoneOfTheDate) {
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
        const auto cities = ReadCityList(file, c);
        for (const char* name : r.cityNames)
            if (const auto found = FindEntryByName(cities, cp(name)); found && city.empty()) {
                country = c;
                city = *found;
            }
        if (!city.empty()) break;
    }
    ASSERT_FALSE(city.empty()) << "city '" << r.cityNames.front() << "' not found";
    const ChosenPlace place = LookUpPlace(file, country, city, {r.year, r.month, r.day, 12});
    EXPECT_EQ(place.zoneHours, r.zone) << cp1251ToUtf8(country);
    EXPECT_EQ(place.zoneText, r.zoneText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RealAtlasSpots,
    ::testing::Values(
        SpotRow{"MoscowBefore1930_06_16", "sng", "Россия (Москва)", {"Москва"}, 15, 6, 1930, 2, "  2.0"},
        SpotRow{"MoscowFrom1930_06_16", "sng", "Россия (Москва)", {"Москва"}, 16, 6, 1930, 3, "  3.0"},
        SpotRow{"Moscow1990", "sng", "Россия (Москва)", {"Москва"}, 17, 5, 1990, 3, "  3.0"},
        SpotRow{"Novosibirsk1985", "sng", nullptr, {"Новосибирск"}, 1, 6, 1985, 7, "  7.0"},
        SpotRow{"Kyiv1985", "sng", nullptr, {"Киев", "Київ"}, 1, 6, 1985, 3, "  3.0"},
        SpotRow{"Kyiv2000", "sng", nullptr, {"Киев", "Київ"}, 1, 6, 2000, 2, "  2.0"},
        SpotRow{"NewYork2000", "namerica", nullptr, {"Нью-Йорк"}, 1, 6, 2000, -5, " -5.0"},
        SpotRow{"London2000", "europa", nullptr, {"Лондон"}, 1, 6, 2000, 0, "  0.0"},
        SpotRow{"Tokyo2000", "azia", nullptr, {"Токио"}, 1, 6, 2000, 9, "  9.0"},
        SpotRow{"Sydney2000", "austral", nullptr, {"Сидней"}, 1, 6, 2000, 10, " 10.0"},
        SpotRow{"Kathmandu2000", "azia", nullptr, {"Катманду"}, 1, 6, 2000, 5.75, "  5.8"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every line of every generated file reads as the lookup reads it: zone fields are
// numbers, coordinates fit the coordinate text, lines end with CR LF and fit 80 columns.
class RealAtlasFiles : public ::testing::TestWithParam<Region> {};

TEST_P(RealAtlasFiles, EveryLineReads) {
    const auto file = realFile(GetParam().code);
    if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is not generated yet";
    const std::string bytes = readFileBytes(file);
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a line without CR at byte " << i;
    LineReader reader(file);
    std::string line;
    int countries = 0, cities = 0;
    bool inCountry = false;
    while (reader.next(line)) {
        const std::string where = displayPath(file) + ", строка " + std::to_string(reader.lineNumber());
        ASSERT_LE(line.size(), kPlaceLineLength) << where;
        if (!line.empty() && line[0] == '*') {
            EXPECT_NO_THROW(ReadZoneFields(line, where)) << where;
            ++countries;
            inCountry = true;
        } else {
            ASSERT_TRUE(inCountry) << where << ": a city before any country";
            EXPECT_NO_THROW(CoordTextFromCityLine(line, where)) << where;
            ++cities;
        }
    }
    EXPECT_GT(countries, 0);
    EXPECT_GT(cities, countries);
}

INSTANTIATE_TEST_SUITE_P(Regions, RealAtlasFiles, ::testing::ValuesIn(Regions().begin(), Regions().end()),
                         [](const auto& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace korv
