#include "input/zone_history.h"

#include <algorithm>

namespace korv {
namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// 0 Sunday .. 6 Saturday; 1970-01-01 was a Thursday.
int weekdayOfDays(std::int64_t days) { return static_cast<int>(((days + 4) % 7 + 7) % 7); }

int monthLength(int year, int month) {
    return static_cast<int>(month == 12 ? DaysFromCivil(year + 1, 1, 1) - DaysFromCivil(year, 12, 1)
                                        : DaysFromCivil(year, month + 1, 1) - DaysFromCivil(year, month, 1));
}

// Local midnight of a rule date, as days since 1970.
std::int64_t ruleDay(int year, const RuleDate& d) {
    const std::int64_t first = DaysFromCivil(year, d.month, 1);
    int day = 1 + (d.weekday - weekdayOfDays(first) + 7) % 7 + 7 * (d.week - 1);
    while (day > monthLength(year, d.month)) day -= 7;
    return first + day - 1;
}

}  // namespace

// The days-from-civil algorithm of H. Hinnant ("chrono-Compatible Low-Level Date
// Algorithms"): exact for every year of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int YearOfDays(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    return static_cast<int>(yoe + era * 400 + (mp >= 10));
}

std::array<ClockChange, 2> YearlyRule::changes(int year) const {
    const ClockChange toB{ruleDay(year, start) * kDay + start.seconds - a.offset, b};
    const ClockChange toA{ruleDay(year, end) * kDay + end.seconds - b.offset, a};
    if (toA.ut < toB.ut) return {toA, toB};
    return {toB, toA};
}

ZoneHistory::ZoneHistory(std::string name, ClockPeriod initial, std::vector<ClockChange> changes,
                         std::optional<YearlyRule> rule, int ruleYear)
    : name_(std::move(name)), initial_(initial), changes_(std::move(changes)), rule_(rule), ruleYear_(ruleYear) {}

std::int64_t ZoneHistory::ruleStart() const { return rule_->changes(ruleYear_)[0].ut; }

ClockPeriod ZoneHistory::at(std::int64_t ut) const {
    if (rule_ && ut >= ruleStart()) {
        // The last change of the rule at or before the instant: it lies in the
        // instant's year or the year before.
        const int year = YearOfDays(floorDiv(ut, kDay));
        ClockPeriod state = rule_->changes(std::max(ruleYear_, year - 1))[0].period;
        for (int y = std::max(ruleYear_, year - 1); y <= year + 1; ++y)
            for (const ClockChange& c : rule_->changes(y))
                if (c.ut <= ut) state = c.period;
        return state;
    }
    const auto after = std::upper_bound(changes_.begin(), changes_.end(), ut,
                                        [](std::int64_t t, const ClockChange& c) { return t < c.ut; });
    return after == changes_.begin() ? initial_ : std::prev(after)->period;
}

std::vector<ClockChange> ZoneHistory::changesBetween(std::int64_t from, std::int64_t to) const {
    const auto byTime = [](const ClockChange& c, std::int64_t t) { return c.ut < t; };
    std::vector<ClockChange> found(std::lower_bound(changes_.begin(), changes_.end(), from, byTime),
                                   std::lower_bound(changes_.begin(), changes_.end(), to, byTime));
    if (rule_) {
        const int first = std::max(ruleYear_, YearOfDays(floorDiv(from, kDay)) - 1);
        const int last = YearOfDays(floorDiv(to, kDay)) + 1;
        for (int y = first; y <= last; ++y)
            for (const ClockChange& c : rule_->changes(y))
                if (c.ut >= from && c.ut < to) found.push_back(c);
    }
    return found;
}

}  // namespace korv
