// The zone table System/zones.dat: the clock history of every time zone that a city
// of the atlas may name, generated from tzdata by tools/make_zone_table.py (the file's
// header describes its lines). Windows-1251 text (ASCII in practice), CR LF line ends.
//
//   Z NAME OFFSET KIND          a zone and its period before its first change
//   YYYYMMDDhhmmss OFFSET KIND  a change at that UT instant
//   R FIRST LAST A KA B KB START END
//                               the changes of the years FIRST..LAST ("-": every
//                               later year) by a yearly rule (input/zone_history.h)
//   L ALIAS NAME                another name of a zone
//   ; comment
// OFFSET is seconds east of Greenwich, KIND S (standard), D (summer) or L (local mean).
#pragma once

#include <filesystem>
#include <string_view>

#include "input/zone_history.h"

namespace korv {

constexpr const char* kZoneTableFileName = "zones.dat";

std::filesystem::path ZoneTablePath(const std::filesystem::path& sysDir);

// The history of the zone `name` (or of the zone it is another name of). A missing
// table, a zone it lacks or a line that does not read raises korv::Error naming the
// file (and the line).
ZoneHistory ReadZoneHistory(const std::filesystem::path& table, std::string_view name);

}  // namespace korv
