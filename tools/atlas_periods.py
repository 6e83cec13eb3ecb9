"""The eleven zone fields of a country line: the standard time of its zone in each of
the program's date periods, as the program reads them for a city without a zone name
(one added by hand). Cities with a zone name take the exact history instead
(tools/zone_history.py).

Field 1 serves every date before 1930-06-16 and holds the standard time of 1925.
Field k (2..10) serves the period that starts on the (k-1)-th date of PERIOD_STARTS and
runs to the next one; the last period is open, and is weighed up to LAST_PERIOD_END.
Field 11 is read by the program but used by no period, so it repeats field 10.
"""

import bisect
import datetime as dt
import zoneinfo
from collections import Counter
from decimal import ROUND_HALF_UP, Decimal

FIELD1_DATE = dt.date(1925, 7, 1)
PERIOD_STARTS = [dt.date(*d) for d in (
    (1930, 6, 16), (1931, 2, 9), (1956, 12, 1), (1981, 4, 1), (1982, 4, 1),
    (1989, 3, 26), (1990, 3, 25), (1990, 9, 30), (1992, 1, 19))]
LAST_PERIOD_END = dt.date(2026, 1, 1)
PERIOD_START_GRACE_DAYS = 6
TIMELINE_START = dt.date(1920, 1, 1)


class ZoneTimeline:
    """Standard time of one time-zone id, day by day.

    The database marks each stretch of time as summer time or not, but does
    not record the standard offset under a summer time, and that offset may
    change together with the clocks (Soviet regions on 1981-04-01 and
    1991-03-31).  So the amount of summer time is taken from the nearest
    non-summer stretches before and after it: the smaller positive difference
    wins, the larger one being a change of standard time.  Where summer time
    is recorded as a negative winter offset (Ireland since 1971), the winter
    time counts as standard, since the user declares summer time separately.
    """

    def __init__(self, tz_id, start=TIMELINE_START, end=LAST_PERIOD_END):
        zone = zoneinfo.ZoneInfo(tz_id)

        # Runs of days with the same clock, sampled at local noon:
        # [first day, UTC offset, summer time?, uninhabited ("-00")?].
        runs = []
        day = start
        noon = dt.time(12)
        while day < end:
            local = dt.datetime.combine(day, noon)
            current = [zone.utcoffset(local), zone.dst(local) != dt.timedelta(0),
                       zone.tzname(local) == "-00"]
            if not runs or runs[-1][1:] != current:
                runs.append([day, *current])
            day += dt.timedelta(days=1)
        self.starts = [r[0] for r in runs]
        self.end = end
        self.std = [self._standard(runs, i) for i in range(len(runs))]
        # "-00" marks a place not yet inhabited (Arctic and Antarctic
        # stations); it takes the first standard time used there.
        for i in range(len(runs) - 2, -1, -1):
            if runs[i][3]:
                self.std[i] = self.std[i + 1]

    @staticmethod
    def _standard(runs, i):
        _, offset, summer, _ = runs[i]
        if summer:
            amounts = []
            for j in (range(i - 1, -1, -1), range(i + 1, len(runs))):
                other = next((runs[k][1] for k in j if not runs[k][2] and not runs[k][3]), None)
                if other is not None and offset > other:
                    amounts.append(offset - other)
            return offset - min(amounts) if amounts else offset
        year = dt.timedelta(days=366)
        before = [r[1] for r in runs[:i] if r[2] and runs[i][0] - r[0] <= year]
        after = [r[1] for r in runs[i + 1:] if r[2] and r[0] - runs[i][0] <= year]
        if before and after and before[-1] < offset and after[0] < offset:
            return max(before[-1], after[0])
        return offset

    def at(self, day):
        """Standard time in force on `day`."""
        if day < self.starts[0]:
            raise ValueError(f"{day} is before the timeline")
        return self.std[bisect.bisect_right(self.starts, day) - 1]

    def prevailing(self, first, end):
        """The standard time in force for the most days of [first, end);
        on a tie, the one in force earlier."""
        days = Counter()
        order = {}
        i = bisect.bisect_right(self.starts, first) - 1
        while i < len(self.starts) and self.starts[i] < end:
            lo = max(first, self.starts[i])
            hi = min(end, self.starts[i + 1] if i + 1 < len(self.starts) else self.end)
            days[self.std[i]] += (hi - lo).days
            order.setdefault(self.std[i], len(order))
            i += 1
        return max(days, key=lambda v: (days[v], -order[v]))


def format_zone(delta):
    """Hours as the program's four-character right-aligned zone field, with as
    many decimals (at most two) as fit: 3, 5.5, 5.75, -10.5 becomes -11."""
    hours = Decimal(int(delta.total_seconds())) / Decimal(3600)
    for places in (2, 1, 0):
        q = hours.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)
        text = f"{q:f}"
        if "." in text:
            text = text.rstrip("0").rstrip(".")
        if text in ("-0", ""):
            text = "0"
        if len(text) <= 4:
            return text.rjust(4)
    raise ValueError(f"zone {hours} does not fit four characters")


def period_fields(tz_id, at_start=False):
    """The eleven zone fields of a time-zone id, as four-character strings.

    Field 1 is the standard time in force in 1925.  Each later field is the
    standard time in force for the longest part of its period.  The value at
    the very start of a period would be wrong for years wherever a country
    moved soon after a boundary: the boundaries follow Soviet decrees, which
    often took effect days later (the decree of 16 June 1930 from 21 June),
    Azerbaijan moved from +3 to +4 three months after 1 December 1956 and
    eight months after 19 January 1992, Georgia and Armenia soon after.

    With `at_start`, a field is instead the standard time in force on the
    seventh day of its period (a week in, so that the decrees above count
    from the period's first day)."""
    line = ZoneTimeline(tz_id)
    fields = [format_zone(line.at(FIELD1_DATE))]
    ends = PERIOD_STARTS[1:] + [LAST_PERIOD_END]
    for first, end in zip(PERIOD_STARTS, ends):
        if at_start:
            value = line.at(first + dt.timedelta(days=PERIOD_START_GRACE_DAYS))
        else:
            value = line.prevailing(first, end)
        fields.append(format_zone(value))
    fields.append(fields[-1])
    return tuple(fields)
