// `korvinaut-cli places`: the atlas as the place selection dialog shows it. Without
// options the seven regions; --region R the countries of that region's place file;
// --region R --country C the cities of that country. Lists are sorted as the dialog
// sorts them and printed without their blank padding, one entry a line.
#include <cstdio>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "common/error.h"
#include "common/text.h"
#include "input/atlas.h"
#include "input/russian_order.h"

namespace korv::cli {

namespace {

void printEntries(std::vector<std::string> entries) {
    SortRussian(entries);
    for (const std::string& e : entries) std::printf("%s\n", cp1251ToUtf8(trimBlanks(e)).c_str());
}

}  // namespace

int RunPlaces(int argc, char** argv) {
    const Args args(argc, argv, {});
    args.allowOnly({"--region", "--country", "--dir"});
    if (!args.has("--region")) {
        if (args.has("--country")) throw Error("--country needs --region");
        for (const Region& r : Regions())
            std::printf("%-9s %s (%s)\n", std::string(r.code).c_str(), trimBlanks(r.caption).c_str(),
                        std::string(r.fileName).c_str());
        return 0;
    }
    const std::filesystem::path placeFile = PlaceFilePath(FoldersFromArgs(args).SysDir, RegionFromArgs(args));
    if (!args.has("--country")) {
        printEntries(ReadCountryList(placeFile));
        return 0;
    }
    printEntries(ReadCityList(placeFile, CountryEntryFromArgs(args, placeFile)));
    return 0;
}

}  // namespace korv::cli
