// The birth fields that several commands take (--name, --sex, --date, --time, --zone,
// --summer, --coords or --lat/--lon, or a whole --line), turned into a birth record.
// Instead of coordinates and zone the place may come from the atlas: --region R
// --country C --city N, looked up in the place files of DIR/System (--dir, default the
// working directory) as the place selection dialog does; the zone and summer time then
// come from the city's zone history unless --zone, or --summer / --no-summer, is given.
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "app/cli/args.h"
#include "common/program_folders.h"
#include "input/atlas.h"
#include "input/birth_record.h"

namespace korv::cli {

extern const std::set<std::string> kBirthOptions;
extern const std::set<std::string> kBirthFlags;

// Builds the birth line from the options and converts it. Without `requirePlace` the
// coordinates may be left out (blank coordinate text): the moment needs only the zone.
TInData BirthRecordFromArgs(const Args& args, bool requirePlace);

// The program folder of --dir (default: the working directory).
ProgramFolders FoldersFromArgs(const Args& args);
// The region of --region (its short code); an unknown code is an error naming the codes.
const Region& RegionFromArgs(const Args& args);
// The entry of the region's place file that --country names (blanks trimmed, the first
// in file order); a name not in the file is an error.
std::string CountryEntryFromArgs(const Args& args, const std::filesystem::path& placeFile);

}  // namespace korv::cli
