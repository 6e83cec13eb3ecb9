#include "app/cli/birth_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "input/coordinates.h"

namespace korv::cli {

const std::set<std::string> kBirthOptions = {"--name", "--sex", "--date", "--time", "--zone", "--summer",
                                             "--no-summer", "--coords", "--lat", "--lon", "--line", "--city",
                                             "--region", "--country", "--dir"};
const std::set<std::string> kBirthFlags = {"--summer", "--no-summer"};

namespace {

// "DD.MM.YYYY" with a year from -999 to 3000.
void parseDate(const std::string& text, int& day, int& month, int& year) {
    const auto dot1 = text.find('.');
    const auto dot2 = text.find('.', dot1 == std::string::npos ? 0 : dot1 + 1);
    if (dot1 == std::string::npos || dot2 == std::string::npos)
        throw Error("--date: '" + text + "' is not a date of the form DD.MM.YYYY");
    day = parseInt(text.substr(0, dot1), "--date");
    month = parseInt(text.substr(dot1 + 1, dot2 - dot1 - 1), "--date");
    year = parseInt(text.substr(dot2 + 1), "--date");
    if (year < kMinYear || year > kMaxYear)
        throw Error("--date: the year must lie between " + std::to_string(kMinYear) + " and " +
                    std::to_string(kMaxYear));
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
        throw Error("--date: '" + text + "' has no such day or month");
}

// "HH:MM" or "HH:MM:SS".
void parseTime(const std::string& text, int& hour, int& minute, int& second) {
    const auto c1 = text.find(':');
    if (c1 == std::string::npos) throw Error("--time: '" + text + "' is not a time of the form HH:MM[:SS]");
    const auto c2 = text.find(':', c1 + 1);
    hour = parseInt(text.substr(0, c1), "--time");
    minute = parseInt(text.substr(c1 + 1, c2 == std::string::npos ? std::string::npos : c2 - c1 - 1), "--time");
    second = c2 == std::string::npos ? 0 : parseInt(text.substr(c2 + 1), "--time");
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw Error("--time: '" + text + "' is out of range");
}

std::string coordTextFromArgs(const Args& args, bool requirePlace) {
    if (args.has("--coords")) {
        const std::string text = userTextToCp1251(args.value("--coords"), "--coords", 19);
        ParseCoordText(text, "--coords");
        return text;
    }
    if (args.has("--lat") && args.has("--lon")) {
        const double lat = parseFloat(args.value("--lat"), "--lat");
        const double lon = parseFloat(args.value("--lon"), "--lon");
        // The record keeps whole minutes: 89.995 would become 90 degrees 00 minutes.
        const GeoCoordinates c = CoordinatesFromDecimal(lat, lon);
        if (!(std::fabs(lat) < 90) || c.latDegrees > 89)
            throw Error("--lat: the latitude must round to whole minutes between -89.99 and 89.99 (89 degrees 59 minutes)");
        if (!(std::fabs(lon) < 180) || c.lonDegrees > 179)
            throw Error("--lon: the longitude must round to whole minutes between -179.99 and 179.99 (179 degrees 59 minutes)");
        return FormatCoordText(c);
    }
    if (requirePlace) throw Error("Give the birth place: --coords \"<coordinate text>\" or --lat and --lon");
    return std::string(19, ' ');
}

// A Windows-1251 name to look up in the place files, from a UTF-8 option value.
std::string cp1251Option(const Args& args, const std::string& option) {
    return userTextToCp1251(args.value(option), option, 80);
}

double zoneFromArgs(const Args& args) {
    const double zone = parseFloat(args.value("--zone"), "--zone");
    if (zone < -14 || zone > 14) throw Error("--zone: the zone must lie between -14 and 14 hours");
    return zone;
}

// The place from the atlas: city and coordinate text, and the zone and summer time at
// the birth moment as the place selection dialog finds them (the city's zone history,
// or its country line's zone without summer time). --zone replaces the atlas's zone
// and summer time (summer time is then --summer's), --summer or --no-summer its
// summer time alone.
void placeFromAtlas(const Args& args, BirthLineFields& f) {
    for (const char* other : {"--coords", "--lat", "--lon"})
        if (args.has(other))
            throw Error(std::string("Give either --region, --country and --city or coordinates, not ") + other);
    if (!args.has("--region") || !args.has("--country") || !args.has("--city"))
        throw Error("Give the place with all three of --region, --country and --city");
    const std::filesystem::path placeFile = PlaceFilePath(FoldersFromArgs(args).SysDir, RegionFromArgs(args));
    const std::string country = CountryEntryFromArgs(args, placeFile);
    const auto city = FindEntryByName(ReadCityList(placeFile, country), cp1251Option(args, "--city"));
    if (!city)
        throw Error("--city: no city '" + args.value("--city") + "' in '" + cp1251ToUtf8(trimBlanks(country)) +
                    "' (korvinaut-cli places --region " + args.value("--region") + " --country \"" +
                    cp1251ToUtf8(trimBlanks(country)) + "\" lists them)");
    TInData record;
    record.dateText = f.dateText;
    record.timeText = f.timeText;
    const ChosenPlace place = ChoosePlaceForRecord(record, placeFile, country, *city);
    f.city = record.city;
    f.coordText = record.coordText;
    f.zoneText = args.has("--zone") ? FormatZoneText(zoneFromArgs(args)) : record.zoneText;
    bool summer = place.clock && place.clock->summer && !args.has("--zone");
    if (args.has("--summer")) summer = true;
    if (args.has("--no-summer")) summer = false;
    f.dstCode = summer ? "L" : "Z";
}

}  // namespace

ProgramFolders FoldersFromArgs(const Args& args) {
    // --dir, else the folder the launcher prepared, else the working directory.
    std::string dir = args.value("--dir");
    const char* prepared = std::getenv("KORVINAUT_DIR");
    if (dir.empty() && prepared && *prepared) dir = prepared;
    const std::filesystem::path main = dir.empty() ? std::filesystem::current_path() : std::filesystem::absolute(dir);
    std::error_code ec;
    if (!std::filesystem::is_directory(main / "System", ec))
        throw Error("No program folder at " + main.string() + ": it has no System folder. Give the program folder with "
                    "--dir DIR, or start the tool through its launcher (korvinaut-cli on the PATH), which prepares "
                    "your own folder");
    return ProgramFolders::at(main);
}

const Region& RegionFromArgs(const Args& args) {
    const std::string code = args.value("--region");
    if (const Region* region = FindRegion(code)) return *region;
    std::string codes;
    for (const Region& r : Regions()) codes += (codes.empty() ? "" : ", ") + std::string(r.code);
    throw Error("--region: unknown region '" + code + "' (one of " + codes + ")");
}

std::string CountryEntryFromArgs(const Args& args, const std::filesystem::path& placeFile) {
    const auto country = FindEntryByName(ReadCountryList(placeFile), cp1251Option(args, "--country"));
    if (!country)
        throw Error("--country: no country '" + args.value("--country") + "' in " + displayPath(placeFile) +
                    " (korvinaut-cli places --region " + args.value("--region") + " lists them)");
    return *country;
}

TInData BirthRecordFromArgs(const Args& args, bool requirePlace) {
    TInData record;
    if (args.has("--line")) {
        if (args.has("--region") || args.has("--country"))
            throw Error("--line carries its own place; leave out --region and --country");
        record.line = userTextToCp1251(args.value("--line"), "--line", kBirthLineLength);
        if (record.line.size() != kBirthLineLength)
            throw Error("--line: the birth line has " + std::to_string(record.line.size()) + " characters; it needs " +
                        std::to_string(kBirthLineLength));
    } else {
        if (!args.has("--date") || !args.has("--time")) throw Error("Give the birth --date and --time");
        int day, month, year, hour, minute, second;
        parseDate(args.value("--date"), day, month, year);
        parseTime(args.value("--time"), hour, minute, second);
        const std::string sex = args.value("--sex", "M");
        if (sex != "M" && sex != "F") throw Error("--sex: give M or F");

        BirthLineFields f;
        f.name = padRight(userTextToCp1251(args.value("--name"), "--name", 40), 40);
        f.dateText = FormatDateText(day, month, year);
        f.timeText = FormatTimeText(hour, minute, second);
        if (args.has("--summer") && args.has("--no-summer")) throw Error("Give either --summer or --no-summer");
        if (args.has("--region") || args.has("--country")) {
            placeFromAtlas(args, f);
        } else {
            if (!args.has("--zone")) throw Error("Give the time zone: --zone HOURS (east positive)");
            f.city = padRight(userTextToCp1251(args.value("--city"), "--city", 25), 25);
            f.coordText = coordTextFromArgs(args, requirePlace);
            f.zoneText = FormatZoneText(zoneFromArgs(args));
            f.dstCode = args.has("--summer") ? "L" : "Z";
        }
        f.sexCode = sex;
        record.line = AssembleBirthLine(f);
    }
    ConvertBirthData(record);
    return record;
}

}  // namespace korv::cli
