// The world atlas: seven place files in the System folder, one per region, read the
// way the place selection dialog reads them.
//
// A place file is Windows-1251 text, lines ended by CR LF, at most 80 characters of a
// line read. Column 1 tells the kind of line:
//   country line  "*" + name (2-30), zone fields of 4 characters at 33-36, 37-40, ..
//                 73-76: standard time in hours east during eleven historical periods
//   city line     blank + name (2-31), latitude degrees 32-34 (signed, negative south),
//                 minutes 36-37, longitude degrees 39-42 (signed, negative west),
//                 minutes 44-45; then, for the cities of the generated atlas, a blank
//                 and the time-zone name in 47-80 ("Europe/Moscow")
// A country's cities follow its line up to the next country line. Entries of both lists
// are the first 30 characters of their lines (a country's with its "*" made a blank),
// and are matched byte for byte: case, blanks and padding count.
//
// The lookup turns a chosen country and city into the birth record's city (25
// characters), coordinate text (19) and zone (hours, and its 5-character text) at the
// birth moment: for a city with a zone name from the zone's history in the zone table
// (System/zones.dat), which also tells whether summer time was in force; for a city
// without one (added by hand) from its country line's field for the birth date.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/birth_record.h"
#include "input/local_clock.h"

namespace korv {

struct Region {
    std::string_view caption;   // the region button's caption, UTF-8, blanks as shown
    std::string_view fileName;  // the place file in the System folder
    std::string_view code;      // short name for the command-line tool
};

// The seven regions in the order of the dialog's buttons.
const std::array<Region, 7>& Regions();
// The region with this short code ("sng", "europa", ...), or nullptr.
const Region* FindRegion(std::string_view code);
std::filesystem::path PlaceFilePath(const std::filesystem::path& sysDir, const Region& region);

constexpr std::size_t kPlaceEntryLength = 30;  // list entries: first 30 characters of a line
constexpr std::size_t kPlaceLineLength = 80;   // characters of a line that are read
constexpr int kZoneFieldCount = 11;
constexpr int kZonePeriodCount = 11;

// Country entries in file order: each line beginning with "*", its first 30 characters,
// the "*" made a blank. A missing file raises korv::Error.
std::vector<std::string> ReadCountryList(const std::filesystem::path& placeFile);
// City entries of one country in file order: the first 30 characters of every line
// after the country's line up to the next country line or the end of the file. A
// country entry no longer in the file (the file changed since its list was read)
// raises korv::Error.
std::vector<std::string> ReadCityList(const std::filesystem::path& placeFile, std::string_view countryEntry);

// Every city of the seven place files, for a search across the whole atlas: its region
// (index into Regions()), its country entry and its city entry as the lists hold them.
// A missing place file contributes nothing.
struct AtlasCityRef {
    int region = 0;
    std::string country;
    std::string city;
};
std::vector<AtlasCityRef> ListAtlasCities(const std::filesystem::path& sysDir);

// The list entry a user means by `name`: the first entry (file order) equal to it once
// leading and trailing blanks are trimmed from both; none when there is no such entry.
std::optional<std::string> FindEntryByName(const std::vector<std::string>& entries, std::string_view name);

// Julian day number at 0 h of a Gregorian calendar date (no Julian-calendar rule: only
// the comparison with the zone boundaries of 1924..1992 depends on it).
double JulianDayAt0h(int day, int month, int year);
// First day (Julian day at 0 h) of zone periods 2..11: 1924-05-01, 1930-06-16,
// 1931-02-09, 1956-12-01, 1981-04-01, 1982-04-01, 1989-03-26, 1990-03-25,
// 1990-09-30, 1992-01-19.
extern const std::array<double, kZonePeriodCount - 1> ZoneBoundary;
// The period 1..11 of a date: 1 before the first boundary, k from boundary k-1 up to
// (not including) boundary k; a boundary day belongs to the new period.
int ZonePeriod(double julianDayAt0h);
// The zone field 1..10 that carries a period's zone: field 1 for periods 1 and 2,
// field k-1 for period k from 3 to 11. Field 11 carries no period.
int ZoneFieldOfPeriod(int period);

// The eleven zone fields of a country line (hours east; four blanks read as 0). A
// field that is not a number raises korv::Error naming `where` and the columns.
std::array<double, kZoneFieldCount> ReadZoneFields(std::string_view countryLine, std::string_view where = {});

// The 19-character coordinate text of a city line: longitude first, degrees without
// sign, minutes as the file's two characters, hemispheres from the sign of the degrees
// field ("-0" is less than a degree south or west). A degrees field that is not an
// integer, or a value the house computation cannot read back (degrees beyond 89 / 179,
// minutes not 00..59), raises korv::Error naming `where` and the field.
std::string CoordTextFromCityLine(std::string_view cityLine, std::string_view where = {});
// The city's longitude in degrees, east positive (the fields as CoordTextFromCityLine
// reads them).
double CityLongitude(std::string_view cityLine, std::string_view where = {});
// The time-zone name of a city line (columns 47-80, blanks trimmed); empty for a city
// without one.
std::string CityZoneName(std::string_view cityLine);

// The place as the birth record takes it.
struct ChosenPlace {
    std::string city;       // city line columns 2-26 (25 characters)
    std::string coordText;  // 19 characters
    std::string zoneText;   // 5 characters, one decimal ("  3.0", "-10.0")
    double zoneHours = 0;   // the zone at the birth moment, hours east
    std::string zoneName;   // the city's time-zone name, empty without one
    // For a city with a zone name: the clock at the birth moment (zone, summer time,
    // local mean time, a skipped or repeated time). Without one the zone is the
    // country line's and summer time is the user's to say.
    std::optional<ClockReading> clock;
};

// Looks the city up as the place selection dialog does: from the start of the file to
// the country line (first 30 characters equal to the country entry with "*" put back),
// then on to the first line of that country equal to the city entry. The zone comes
// from the city's zone history at the local birth date and time (the zone table in
// the place file's folder), or, for a city without a zone name, from its country
// line's field for the birth date. A country or city no longer there (the file
// changed since its lists were read) stops the reading at the end of the country
// block or of the file and raises korv::Error in Russian; so does a zone name that
// the zone table lacks.
ChosenPlace LookUpPlace(const std::filesystem::path& placeFile, std::string_view countryEntry,
                        std::string_view cityEntry, const LocalDateTime& birth);
// The same for the birth date and time of the record's dateText and timeText; only on
// success are the record's city, coordText, zoneText and zoneHours written. Summer
// time (dstCode) is left to the caller, who may take the returned clock's.
ChosenPlace ChoosePlaceForRecord(TInData& record, const std::filesystem::path& placeFile,
                                 std::string_view countryEntry, std::string_view cityEntry);

}  // namespace korv
