// What the clocks of a place showed at a local date and time: the zone (standard time,
// hours east of Greenwich) and whether summer time was in force, from the place's
// zone history. Universal time is then local time - zone - (summer ? 1 hour : 0).
//
// - Summer time: the zone is the clock's offset less one hour, whatever the amount of
//   summer time (double summer time: zone +1 with summer time in London 1941-45).
// - Before the zone adopted standard time, the place kept its own local mean time:
//   the zone is its longitude / 15 hours, without summer time.
// - At a change of the clocks a local time is read with the period in force just
//   before the change: a time the clocks skipped (spring forward) counts as not yet
//   moved, so 02:30 on a night of 02:00 -> 03:00 is 03:30 summer time; a time the
//   clocks showed twice (fall back) is its first pass, still the earlier period.
#pragma once

#include <cstdint>

#include "input/zone_history.h"

namespace korv {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;  // proleptic Gregorian
    int hour = 0, minute = 0, second = 0;
};

enum class ClockChangeCase {
    None,
    Repeated,  // the clocks were set back and showed this time twice
    Skipped,   // the clocks were set forward past this time
};

struct ClockReading {
    double zoneHours = 0;         // standard time, hours east of Greenwich
    bool summer = false;          // summer time in force: one hour on top of the zone
    bool localMeanTime = false;   // before standard time: the place's own mean time
    ClockChangeCase change = ClockChangeCase::None;
    std::int32_t offsetSeconds = 0;  // the clock's whole offset: UT = local - offset
};

// Reads the local time with the zone history; `longitude` (degrees, east positive)
// gives the local mean time before standard time.
ClockReading ReadLocalClock(const ZoneHistory& history, const LocalDateTime& local, double longitude);

}  // namespace korv
