// The clock history of one time zone: which offset from Greenwich the clocks of its
// places showed at every instant, and whether that was standard time, summer time or
// still local mean time. Read from the zone table (input/zone_table.h); instants are
// UT seconds since 1970-01-01 00:00, offsets seconds east of Greenwich.
//
// The history is a list of changes, then (for zones that still change their clocks)
// a yearly rule that gives the changes of every year from its first one on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korv {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar (any year).
std::int64_t DaysFromCivil(int year, int month, int day);
// The year of a day count of DaysFromCivil.
int YearOfDays(std::int64_t days);

enum class ClockKind : char {
    Standard = 'S',
    Summer = 'D',     // the clock ahead of standard time
    LocalMean = 'L',  // before standard time: each place keeps its own mean time
};

struct ClockPeriod {
    std::int32_t offset = 0;  // seconds east of Greenwich (for LocalMean: the zone's reference city's)
    ClockKind kind = ClockKind::LocalMean;
    bool operator==(const ClockPeriod&) const = default;
};

struct ClockChange {
    std::int64_t ut = 0;  // from this instant on
    ClockPeriod period;
    bool operator==(const ClockChange&) const = default;
};

// A date of a yearly rule: the `week`-th (5: the last) `weekday` (0 Sunday) of `month`,
// `seconds` after its local midnight (may be negative or beyond a day).
struct RuleDate {
    int month = 1, week = 1, weekday = 0;
    std::int32_t seconds = 0;
};

// Summer time every year: period b from `start` (read in the local time of a) to
// `end` (read in the local time of b), period a the rest of the year.
struct YearlyRule {
    ClockPeriod a, b;
    RuleDate start, end;
    // The two changes of a year, in time order.
    std::array<ClockChange, 2> changes(int year) const;
};

class ZoneHistory {
public:
    ZoneHistory() = default;
    // `changes` in time order; `rule` gives the changes of the years from `ruleYear` on.
    ZoneHistory(std::string name, ClockPeriod initial, std::vector<ClockChange> changes,
                std::optional<YearlyRule> rule = std::nullopt, int ruleYear = 0);

    const std::string& name() const { return name_; }
    // The period in force at a UT instant.
    ClockPeriod at(std::int64_t ut) const;
    // The changes at instants from `from` up to (not including) `to`, in time order.
    std::vector<ClockChange> changesBetween(std::int64_t from, std::int64_t to) const;

private:
    std::int64_t ruleStart() const;

    std::string name_;
    ClockPeriod initial_;
    std::vector<ClockChange> changes_;
    std::optional<YearlyRule> rule_;
    int ruleYear_ = 0;
};

}  // namespace korv
