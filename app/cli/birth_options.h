// The birth fields that several commands take (--name, --sex, --date, --time, --zone,
// --summer, --coords or --lat/--lon, or a whole --line), turned into a birth record.
#pragma once

#include <set>
#include <string>

#include "app/cli/args.h"
#include "input/birth_record.h"

namespace korv::cli {

extern const std::set<std::string> kBirthOptions;
extern const std::set<std::string> kBirthFlags;

// Builds the birth line from the options and converts it. Without `requirePlace` the
// coordinates may be left out (blank coordinate text): the moment needs only the zone.
TInData BirthRecordFromArgs(const Args& args, bool requirePlace);

}  // namespace korv::cli
