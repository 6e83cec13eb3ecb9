#include "input/atlas.h"

#include <cmath>
#include <cstdlib>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "input/zone_table.h"

namespace korv {
namespace {

const std::array<Region, 7> kRegions = {{
    {"     С Н Г", "sng.wdt", "sng"},
    {"      Европа", "europa.wdt", "europa"},
    {" Сев. Америка", "namerica.wdt", "namerica"},
    {"Южн. Америка", "samerica.wdt", "samerica"},
    {"      Африка", "africa.wdt", "africa"},
    {"        Азия", "azia.wdt", "azia"},
    {"    Австралия", "austral.wdt", "austral"},
}};

std::string firstChars(std::string_view line) { return std::string(line.substr(0, kPlaceEntryLength)); }

// The line a country entry stands for: its first character made "*" again.
std::string countryKey(std::string_view countryEntry) {
    std::string key(countryEntry);
    if (!key.empty()) key[0] = '*';
    return key;
}

std::string lineWhere(const std::filesystem::path& file, int lineNumber) {
    return displayPath(file) + ", строка " + std::to_string(lineNumber);
}

std::string withWhere(std::string_view where, const std::string& what) {
    return where.empty() ? what : std::string(where) + ", " + what;
}

// An entry as a user reads it in a message: UTF-8, without the padding.
std::string shown(std::string_view entry) { return "«" + cp1251ToUtf8(trimBlanks(entry)) + "»"; }

[[noreturn]] void countryGone(const std::filesystem::path& file, std::string_view countryEntry) {
    throw Error("Страна " + shown(countryEntry) + " не найдена в файле " + displayPath(file) +
                ": файл изменился после того, как был прочитан список стран. Выберите регион снова.");
}

// Minutes as the house computation reads them back: two characters, 00..59 (a
// leading blank reads as a leading zero).
bool readableMinutes(std::string_view text) {
    if (text.size() != 2) return false;
    const bool first = text[0] == ' ' || (text[0] >= '0' && text[0] <= '9');
    const bool second = text[1] >= '0' && text[1] <= '9';
    if (!first || !second) return false;
    return (text[0] == ' ' ? 0 : text[0] - '0') * 10 + (text[1] - '0') <= 59;
}

}  // namespace

const std::array<Region, 7>& Regions() { return kRegions; }

const Region* FindRegion(std::string_view code) {
    for (const Region& r : kRegions)
        if (r.code == code) return &r;
    return nullptr;
}

std::filesystem::path PlaceFilePath(const std::filesystem::path& sysDir, const Region& region) {
    return sysDir / std::string(region.fileName);
}

std::vector<std::string> ReadCountryList(const std::filesystem::path& placeFile) {
    LineReader reader(placeFile);
    std::vector<std::string> countries;
    std::string line;
    while (reader.next(line, kPlaceEntryLength)) {
        if (!line.empty() && line[0] == '*') {
            line[0] = ' ';
            countries.push_back(line);
        }
    }
    return countries;
}

std::vector<std::string> ReadCityList(const std::filesystem::path& placeFile, std::string_view countryEntry) {
    const std::string key = countryKey(countryEntry);
    LineReader reader(placeFile);
    std::string line;
    bool found = false;
    while (!found && reader.next(line, kPlaceEntryLength)) found = line == key;
    if (!found) countryGone(placeFile, countryEntry);
    std::vector<std::string> cities;
    while (reader.next(line, kPlaceEntryLength) && !(!line.empty() && line[0] == '*')) cities.push_back(line);
    return cities;
}

std::vector<AtlasCityRef> ListAtlasCities(const std::filesystem::path& sysDir) {
    std::vector<AtlasCityRef> all;
    for (int r = 0; r < static_cast<int>(kRegions.size()); ++r) {
        const std::filesystem::path file = PlaceFilePath(sysDir, kRegions[r]);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        // One pass over the file, read the way the two lists read it.
        LineReader reader(file);
        std::string line;
        std::string country;
        while (reader.next(line, kPlaceEntryLength)) {
            if (!line.empty() && line[0] == '*') {
                country = line;
                country[0] = ' ';
            } else if (!country.empty() && !trimBlanks(line).empty()) {
                all.push_back({r, country, line});
            }
        }
    }
    return all;
}

std::optional<std::string> FindEntryByName(const std::vector<std::string>& entries, std::string_view name) {
    const std::string wanted = trimBlanks(name);
    for (const std::string& entry : entries)
        if (trimBlanks(entry) == wanted) return entry;
    return std::nullopt;
}

double JulianDayAt0h(int day, int month, int year) {
    long long Y = year;
    long long M = month;
    if (month == 1 || month == 2) {
        Y = year - 1;
        M = month + 12;
    }
    const long long A = Y / 100;  // truncation toward zero
    const long long B = 2 - A + A / 4;
    return day + B + std::trunc(365.25 * static_cast<double>(Y)) + std::trunc(30.6001 * static_cast<double>(M + 1)) +
           1720994.5;
}

const std::array<double, kZonePeriodCount - 1> ZoneBoundary = {
    2423906.5,  // 1924-05-01
    2426143.5,  // 1930-06-16
    2426381.5,  // 1931-02-09
    2435808.5,  // 1956-12-01
    2444695.5,  // 1981-04-01
    2445060.5,  // 1982-04-01
    2447611.5,  // 1989-03-26
    2447975.5,  // 1990-03-25
    2448164.5,  // 1990-09-30
    2448640.5,  // 1992-01-19
};

int ZonePeriod(double julianDayAt0h) {
    int period = 1;
    for (double boundary : ZoneBoundary)
        if (julianDayAt0h >= boundary) ++period;
    return period;
}

int ZoneFieldOfPeriod(int period) { return period <= 2 ? 1 : period - 1; }

std::array<double, kZoneFieldCount> ReadZoneFields(std::string_view countryLine, std::string_view where) {
    std::array<double, kZoneFieldCount> zones{};
    for (int k = 0; k < kZoneFieldCount; ++k) {
        const std::size_t first = 33 + 4 * k;
        const std::string text = cutColumns(countryLine, first, first + 3);
        if (trimBlanks(text).empty()) continue;  // four blanks: zone 0
        const std::string field = withWhere(where, "пояс " + std::to_string(k + 1) + " (столбцы " +
                                                       std::to_string(first) + "-" + std::to_string(first + 3) + ")");
        zones[k] = parseFloat(text, field);
        if (!std::isfinite(zones[k]) || std::fabs(zones[k]) > 24)
            throw Error(field + ": '" + cp1251ToUtf8(text) + "' не часовой пояс (часы от -24 до 24)");
    }
    return zones;
}

namespace {

// The degrees and minutes fields of a city line, checked as the house computation
// reads them back; the hemisphere is the sign of the degrees field, "-0" included.
struct CityCoordinates {
    int latDegrees = 0, lonDegrees = 0;  // without sign
    bool south = false, west = false;
    std::string latMinutes, lonMinutes;  // the file's two characters
};

CityCoordinates readCityCoordinates(std::string_view cityLine, std::string_view where) {
    const std::string latDegText = cutColumns(cityLine, 32, 34);
    const std::string lonDegText = cutColumns(cityLine, 39, 42);
    CityCoordinates c;
    c.latMinutes = cutColumns(cityLine, 36, 37);
    c.lonMinutes = cutColumns(cityLine, 44, 45);
    const int latDegrees = parseInt(latDegText, withWhere(where, "широта, градусы (столбцы 32-34)"));
    const int lonDegrees = parseInt(lonDegText, withWhere(where, "долгота, градусы (столбцы 39-42)"));
    if (std::abs(latDegrees) > 89)
        throw Error(withWhere(where, "широта " + std::to_string(latDegrees) + "° вне пределов от -89 до 89"));
    if (std::abs(lonDegrees) > 179)
        throw Error(withWhere(where, "долгота " + std::to_string(lonDegrees) + "° вне пределов от -179 до 179"));
    if (!readableMinutes(c.latMinutes))
        throw Error(withWhere(where, "минуты широты (столбцы 36-37) '" + cp1251ToUtf8(c.latMinutes) +
                                         "' не число от 00 до 59"));
    if (!readableMinutes(c.lonMinutes))
        throw Error(withWhere(where, "минуты долготы (столбцы 44-45) '" + cp1251ToUtf8(c.lonMinutes) +
                                         "' не число от 00 до 59"));
    c.latDegrees = std::abs(latDegrees);
    c.lonDegrees = std::abs(lonDegrees);
    // parseInt took the number, so a "-" in the field is its sign: "-0" is less than a
    // degree south or west, which the integer alone would lose.
    c.south = latDegText.find('-') != std::string::npos;
    c.west = lonDegText.find('-') != std::string::npos;
    return c;
}

int minutesValue(const std::string& text) { return (text[0] == ' ' ? 0 : text[0] - '0') * 10 + (text[1] - '0'); }

}  // namespace

std::string CoordTextFromCityLine(std::string_view cityLine, std::string_view where) {
    const CityCoordinates c = readCityCoordinates(cityLine, where);
    const std::string degreeSign = "\xB0";
    const std::string apostrophe = "\x92";
    std::string text = padLeft(intText(c.lonDegrees), 3) + degreeSign + c.lonMinutes + apostrophe +
                       cp(c.west ? "ЗД" : "ВД") + "  " + padLeft(intText(c.latDegrees), 2) + degreeSign +
                       c.latMinutes + apostrophe + cp(c.south ? "ЮШ" : "СШ");
    return text.substr(0, 19);
}

double CityLongitude(std::string_view cityLine, std::string_view where) {
    const CityCoordinates c = readCityCoordinates(cityLine, where);
    const double degrees = c.lonDegrees + minutesValue(c.lonMinutes) / 60.0;
    return c.west ? -degrees : degrees;
}

std::string CityZoneName(std::string_view cityLine) { return trimBlanks(cutColumns(cityLine, 47, 80)); }

ChosenPlace LookUpPlace(const std::filesystem::path& placeFile, std::string_view countryEntry,
                        std::string_view cityEntry, const LocalDateTime& birth) {
    const std::string key = countryKey(countryEntry);
    LineReader reader(placeFile);
    std::string countryLine;
    bool found = false;
    while (!found && reader.next(countryLine, kPlaceLineLength)) found = firstChars(countryLine) == key;
    if (!found) countryGone(placeFile, countryEntry);
    const int countryLineNumber = reader.lineNumber();

    // The city entry was listed from this country's block, so it is searched there only.
    std::string cityLine;
    found = false;
    while (!found && reader.next(cityLine, kPlaceLineLength)) {
        if (!cityLine.empty() && cityLine[0] == '*') break;
        found = firstChars(cityLine) == cityEntry;
    }
    if (!found)
        throw Error("Город " + shown(cityEntry) + " не найден в стране " + shown(countryEntry) + " (файл " +
                    displayPath(placeFile) +
                    "): файл изменился после того, как был прочитан список городов. Выберите страну снова.");
    const std::string cityWhere = lineWhere(placeFile, reader.lineNumber());

    ChosenPlace place;
    place.city = cutColumns(cityLine, 2, 26);
    place.coordText = CoordTextFromCityLine(cityLine, cityWhere);
    place.zoneName = CityZoneName(cityLine);
    if (!place.zoneName.empty()) {
        const ZoneHistory history = ReadZoneHistory(ZoneTablePath(placeFile.parent_path()), place.zoneName);
        place.clock = ReadLocalClock(history, birth, CityLongitude(cityLine, cityWhere));
        place.zoneHours = place.clock->zoneHours;
    } else {
        const auto zones = ReadZoneFields(countryLine, lineWhere(placeFile, countryLineNumber));
        const int field = ZoneFieldOfPeriod(ZonePeriod(JulianDayAt0h(birth.day, birth.month, birth.year)));
        place.zoneHours = zones[field - 1];
    }
    place.zoneText = FormatZoneText(place.zoneHours);
    return place;
}

ChosenPlace ChoosePlaceForRecord(TInData& record, const std::filesystem::path& placeFile,
                                 std::string_view countryEntry, std::string_view cityEntry) {
    // Read from a copy: only a successful choice writes to the record.
    TInData when;
    when.dateText = record.dateText;
    when.timeText = record.timeText;
    ReadDateAndTime(when);
    const LocalDateTime birth{when.year, when.month, when.day, when.hour, when.minute, when.second};
    // The zone history counts in the Gregorian calendar with a year 0. That differs
    // from the record's calendar only long before any zone's first change (1835 at the
    // earliest), where every date reads as the city's own mean time alike.
    const ChosenPlace place = LookUpPlace(placeFile, countryEntry, cityEntry, birth);
    record.city = place.city;
    record.coordText = place.coordText;
    record.zoneText = place.zoneText;
    record.zoneHours = place.zoneHours;
    return place;
}

}  // namespace korv
