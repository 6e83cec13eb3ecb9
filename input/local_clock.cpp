#include "input/local_clock.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korv {
namespace {

constexpr std::int64_t kWindow = 2 * 86400;  // wider than any offset: every change that can matter

struct Reading {
    std::int64_t ut;
    ClockPeriod period;  // its offset made the place's own for local mean time
};

}  // namespace

ClockReading ReadLocalClock(const ZoneHistory& history, const LocalDateTime& t, double longitude) {
    const std::int64_t local =
        DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    // Local mean time: 4 minutes per degree, to the second.
    const auto meanTime = static_cast<std::int32_t>(std::lround(longitude * 240.0));
    const auto own = [&](ClockPeriod p) {
        if (p.kind == ClockKind::LocalMean) p.offset = meanTime;
        return p;
    };

    // Every period that can hold the local time, each tried: it holds it when the
    // instant local - offset lies inside it.
    std::vector<ClockPeriod> candidates{own(history.at(local - kWindow))};
    const std::vector<ClockChange> changes = history.changesBetween(local - kWindow, local + kWindow);
    for (const ClockChange& c : changes) candidates.push_back(own(c.period));
    std::vector<Reading> valid;
    for (const ClockPeriod& p : candidates) {
        const std::int64_t ut = local - p.offset;
        if (own(history.at(ut)) == p &&
            std::none_of(valid.begin(), valid.end(), [&](const Reading& r) { return r.ut == ut; }))
            valid.push_back({ut, p});
    }

    ClockReading reading;
    ClockPeriod used;
    if (!valid.empty()) {
        // A repeated time: the first pass, the earlier instant.
        used = std::min_element(valid.begin(), valid.end(), [](const Reading& a, const Reading& b) {
                   return a.ut < b.ut;
               })->period;
        if (valid.size() > 1) reading.change = ClockChangeCase::Repeated;
    } else {
        // A skipped time lies between a change's instant read in the period before it
        // and in the period after it: it is read in the period before.
        reading.change = ClockChangeCase::Skipped;
        used = candidates.front();
        for (const ClockChange& c : changes) {
            const ClockPeriod before = own(history.at(c.ut - 1));
            const ClockPeriod after = own(c.period);
            if (c.ut + before.offset <= local && local < c.ut + after.offset) used = before;
        }
    }
    reading.offsetSeconds = used.offset;
    reading.summer = used.kind == ClockKind::Summer;
    reading.localMeanTime = used.kind == ClockKind::LocalMean;
    reading.zoneHours = (used.offset - (reading.summer ? 3600 : 0)) / 3600.0;
    return reading;
}

}  // namespace korv
