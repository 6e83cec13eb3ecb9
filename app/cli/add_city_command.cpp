// `korvinaut-cli add-city --region R --country C --name N --lat DD MM N|S
// --lon DDD MM E|W [--dir DIR]`: adds a city to a place file as the add-city dialog
// does, with the same refusals, directly after the country's line.
#include <cstdio>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "common/error.h"
#include "common/text.h"
#include "input/add_city.h"
#include "input/atlas.h"

namespace korv::cli {

int RunAddCity(int argc, char** argv) {
    const Args args(argc, argv, {}, {{"--lat", 3}, {"--lon", 3}});
    args.allowOnly({"--region", "--country", "--name", "--lat", "--lon", "--dir"});
    for (const char* option : {"--region", "--country", "--name", "--lat", "--lon"})
        if (!args.has(option)) throw Error(std::string("add-city needs ") + option);

    const std::vector<std::string> lat = args.values("--lat");
    const std::vector<std::string> lon = args.values("--lon");
    if (lat[2] != "N" && lat[2] != "S") throw Error("--lat: the hemisphere is N or S, not '" + lat[2] + "'");
    if (lon[2] != "E" && lon[2] != "W") throw Error("--lon: the hemisphere is E or W, not '" + lon[2] + "'");
    const std::string name = args.value("--name");
    if (!isCp1251Representable(name)) throw Error("--name: '" + name + "' has characters the place files cannot hold");

    NewCity city;
    city.name = utf8ToCp1251(name);
    city.latDegrees = lat[0];
    city.latMinutes = lat[1];
    city.south = lat[2] == "S";
    city.lonDegrees = lon[0];
    city.lonMinutes = lon[1];
    city.west = lon[2] == "W";

    const std::filesystem::path placeFile = PlaceFilePath(FoldersFromArgs(args).SysDir, RegionFromArgs(args));
    const std::string country = CountryEntryFromArgs(args, placeFile);
    const std::string line = AddCity(placeFile, country, city);
    std::printf("%s: added under \"%s\":\n%s\n", displayPath(placeFile).c_str(),
                cp1251ToUtf8(trimBlanks(country)).c_str(), cp1251ToUtf8(line).c_str());
    return 0;
}

}  // namespace korv::cli
