"""Time-zone histories from the system's tzdata, as the program's zone table holds them.

A history is a list of periods, each from a UT instant on: the total UT offset in
seconds east of Greenwich and its kind:
  S  standard time
  D  summer (daylight) time: the clock is ahead of the standard time
  L  local mean time: before the zone adopted standard time (tzdata's "LMT"), or
     before the place was inhabited ("-00"); the program then uses the city's own
     mean time, its longitude / 15
The periods come from the zone's TZif file (the binary tzdata file, RFC 8536): its
transitions, and after the last one the POSIX rule of its footer.

Summer time is tzdata's isdst flag, except where tzdata records summer time as a
negative offset in winter (Ireland since 1971, Namibia 1994-2017, Morocco's Ramadan
since 2019): a winter period whose offset lies below the periods on both sides is
standard time, and a summer period between two such winters that lasts less than
SUMMER_DAYS_AT_MOST is summer time. So Dublin in July is zone 0 with summer time,
Dublin in January zone 0 without, and Morocco outside Ramadan zone +1 without.

The table written by write_table() keeps explicit periods up to the year from which a
yearly rule (the footer's) reproduces every later change, and that rule.
"""

import bisect
import datetime as dt
import os
import re
import struct

ZONEINFO = "/usr/share/zoneinfo"
TZDATA_ZI = os.path.join(ZONEINFO, "tzdata.zi")
SUMMER_DAYS_AT_MOST = 270
CHECK_END_YEAR = 2101          # histories are compared up to the start of this year
EPOCH_ORDINAL = dt.date(1970, 1, 1).toordinal()


def days_from_civil(year, month, day):
    return dt.date(year, month, day).toordinal() - EPOCH_ORDINAL


def ut_seconds(year, month=1, day=1, seconds=0):
    return days_from_civil(year, month, day) * 86400 + seconds


def civil_from_seconds(seconds):
    """(year, month, day, hour, minute, second) of a count of seconds since 1970."""
    days, rest = divmod(seconds, 86400)
    d = dt.date.fromordinal(days + EPOCH_ORDINAL)
    return d.year, d.month, d.day, rest // 3600, rest // 60 % 60, rest % 60


def tzdata_version():
    with open(TZDATA_ZI, encoding="utf-8") as f:
        first = f.readline().split()
    return first[-1] if first[:2] == ["#", "version"] else "unknown"


def zones_and_links():
    """Canonical zone names and the links {alias: target} of tzdata.zi."""
    zones, links = [], {}
    with open(TZDATA_ZI, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0] == "Z":
                zones.append(parts[1])
            elif len(parts) == 3 and parts[0] == "L":
                links[parts[2]] = parts[1]
    return zones, links


def geographic(name):
    """A zone of a place ("Europe/Moscow"), not a legacy or fixed-offset one."""
    return "/" in name and not name.startswith(("Etc/", "SystemV/", "US/", "Canada/",
                                                 "Mexico/", "Brazil/", "Chile/"))


# ---------------------------------------------------------------------------
# TZif files
# ---------------------------------------------------------------------------
def read_tzif(name):
    """(transitions [(ut, type index)], types [(offset, isdst, abbreviation)], footer)
    of the version 2+ part of a TZif file."""
    with open(os.path.join(ZONEINFO, name), "rb") as f:
        data = f.read()
    if data[:4] != b"TZif" or data[4:5] < b"2":
        raise ValueError(f"{name}: not a TZif file of version 2 or later")

    def counts(at):
        return struct.unpack(">6l", data[at + 20:at + 44])

    isut, isstd, leap, time_count, type_count, char_count = counts(0)
    v1_size = time_count * 5 + type_count * 6 + char_count + leap * 8 + isstd + isut
    at = 44 + v1_size
    isut, isstd, leap, time_count, type_count, char_count = counts(at)
    at += 44
    times = struct.unpack(f">{time_count}q", data[at:at + 8 * time_count])
    at += 8 * time_count
    indices = data[at:at + time_count]
    at += time_count
    raw_types = [struct.unpack(">lBB", data[at + 6 * k:at + 6 * k + 6]) for k in range(type_count)]
    at += 6 * type_count
    chars = data[at:at + char_count]
    at += char_count + leap * 12 + isstd + isut
    footer = data[at:].strip(b"\n").decode("ascii")
    types = [(off, bool(isdst), chars[ai:chars.index(b"\0", ai)].decode("ascii"))
             for off, isdst, ai in raw_types]
    return list(zip(times, indices)), types, footer


# ---------------------------------------------------------------------------
# POSIX TZ rules (the footer)
# ---------------------------------------------------------------------------
_NAME = r"(?:<[^>]*>|[A-Za-z]{3,})"
_OFFSET = r"[+-]?\d{1,3}(?::\d{1,2}(?::\d{1,2})?)?"
_DATE = r"M(\d{1,2})\.(\d)\.(\d)(?:/([+-]?\d{1,3}(?::\d{1,2}(?::\d{1,2})?)?))?"
_POSIX = re.compile(rf"{_NAME}({_OFFSET})(?:{_NAME}({_OFFSET})?(?:,{_DATE},{_DATE})?)?$")


def _hms(text):
    """Seconds of a POSIX [+-]hh[:mm[:ss]]."""
    sign = -1 if text.startswith("-") else 1
    parts = [int(p) for p in text.lstrip("+-").split(":")] + [0, 0]
    return sign * (parts[0] * 3600 + parts[1] * 60 + parts[2])


class YearlyRule:
    """Summer time every year: offset B (kind B) from `start` to `end`, offset A
    (kind A) the rest of the year. `start` and `end` are (month, week 1-5 with 5 the
    last, weekday 0 = Sunday, seconds after local midnight); `start` is read in the
    local time of A, `end` in that of B."""

    def __init__(self, offset_a, kind_a, offset_b, kind_b, start, end):
        self.offset_a, self.kind_a = offset_a, kind_a
        self.offset_b, self.kind_b = offset_b, kind_b
        self.start, self.end = start, end

    @staticmethod
    def day_of_month(year, month, week, weekday):
        first = dt.date(year, month, 1)
        day = 1 + (weekday - (first.weekday() + 1) % 7) % 7 + 7 * (week - 1)
        length = ((dt.date(year + month // 12, month % 12 + 1, 1)) - first).days
        while day > length:
            day -= 7
        return day

    def _instant(self, year, rule, offset):
        month, week, weekday, seconds = rule
        return ut_seconds(year, month, self.day_of_month(year, month, week, weekday), seconds) - offset

    def changes(self, year):
        """The two changes of a year: [(ut, offset, kind)], in time order."""
        return sorted([(self._instant(year, self.start, self.offset_a), self.offset_b, self.kind_b),
                       (self._instant(year, self.end, self.offset_b), self.offset_a, self.kind_a)])

    def text(self):
        def rule(r):
            return f"{r[0]}.{r[1]}.{r[2]}/{r[3]}"
        return (f"{self.offset_a} {self.kind_a} {self.offset_b} {self.kind_b} "
                f"{rule(self.start)} {rule(self.end)}")


def parse_footer(footer):
    """(fixed offset, None) or (None, YearlyRule) of a POSIX TZ string."""
    m = _POSIX.fullmatch(footer)
    if not m:
        raise ValueError(f"POSIX TZ string not understood: {footer!r}")
    std = -_hms(m.group(1))
    if m.group(3) is None and "," not in footer:
        if m.group(2) is not None or re.fullmatch(rf"{_NAME}{_OFFSET}", footer) is None:
            raise ValueError(f"summer time without a rule: {footer!r}")
        return std, None
    dst = -_hms(m.group(2)) if m.group(2) else std + 3600

    def rule(g):
        month, week, weekday, time = m.group(g, g + 1, g + 2, g + 3)
        return int(month), int(week), int(weekday), _hms(time) if time else 7200
    # Negative summer time (Dublin: IST-1GMT0) is standard time in winter.
    if dst > std:
        kinds = ("S", "D")
    else:
        kinds = ("D", "S")
    return None, YearlyRule(std, kinds[0], dst, kinds[1], rule(3), rule(7))


# ---------------------------------------------------------------------------
# Histories
# ---------------------------------------------------------------------------
class History:
    """Periods of one zone: `initial` (offset, kind) before the first change, then
    `changes` [(ut, offset, kind)] in time order, then the changes of the yearly
    `rule` for the years from `rule_year` on, if there is a rule."""

    def __init__(self, name, initial, changes, rule_year=None, rule=None):
        self.name, self.initial, self.changes = name, initial, changes
        self.rule_year, self.rule = rule_year, rule
        self._times = [c[0] for c in changes]

    def rule_start(self):
        """The first change of the rule, or None."""
        return self.rule.changes(self.rule_year)[0][0] if self.rule else None

    def at(self, ut):
        """(offset, kind) in force at a UT instant."""
        if self.rule and ut >= self.rule_start():
            year = civil_from_seconds(ut)[0]
            state = None
            for y in range(max(self.rule_year, year - 1), year + 2):
                for when, offset, kind in self.rule.changes(y):
                    if when <= ut:
                        state = (offset, kind)
            return state
        i = bisect.bisect_right(self._times, ut)
        return self.initial if i == 0 else self.changes[i - 1][1:]

    def all_changes(self, end=None):
        """Every change before `end` (default: the start of CHECK_END_YEAR), the
        rule's included."""
        end = ut_seconds(CHECK_END_YEAR) if end is None else end
        out = [c for c in self.changes if c[0] < end]
        if self.rule:
            for year in range(self.rule_year, civil_from_seconds(end)[0] + 1):
                out.extend(c for c in self.rule.changes(year) if c[0] < end)
        return out


def _kinds(periods):
    """Kinds S/D/L of periods [(start, end, offset, isdst, abbreviation)]."""
    def local_mean(p):
        return p[4] in ("LMT", "-00")

    def negative_summer(i):
        # A tzdata summer period below the standard periods on both sides.
        p = periods[i]
        if not p[3] or local_mean(p):
            return False
        sides = [periods[j] for j in (i - 1, i + 1) if 0 <= j < len(periods)]
        sides = [s for s in sides if not s[3] and not local_mean(s)]
        return bool(sides) and all(s[2] > p[2] for s in sides)

    negative = [negative_summer(i) for i in range(len(periods))]
    kinds = []
    for i, p in enumerate(periods):
        if local_mean(p):
            kinds.append("L")
        elif p[3]:
            kinds.append("S" if negative[i] else "D")
        else:
            between = 0 < i < len(periods) - 1 and negative[i - 1] and negative[i + 1]
            short = p[1] - p[0] < SUMMER_DAYS_AT_MOST * 86400
            kinds.append("D" if between and short and p[2] > periods[i - 1][2] else "S")
    return kinds


def history_from_tzdata(name):
    """The zone's History, its explicit changes trimmed where its yearly rule takes
    over; checked to give the same periods as the untrimmed list up to CHECK_END_YEAR."""
    transitions, types, footer = read_tzif(name)
    fixed, rule = parse_footer(footer)
    end = ut_seconds(CHECK_END_YEAR)
    # Periods [(start, end, offset, isdst, abbreviation)]: the file's transitions,
    # then the footer's changes after the last of them up to the end of the range.
    raw = [(-(1 << 62), types[0])] + [(t, types[i]) for t, i in transitions]
    if rule:
        last = transitions[-1][0] if transitions else -(1 << 62)
        first_year = civil_from_seconds(last)[0] if transitions else 1800
        for year in range(first_year, CHECK_END_YEAR):
            for when, offset, _ in rule.changes(year):
                if last < when < end:
                    raw.append((when, (offset, offset == rule.offset_b, "")))
    periods = [(start, raw[k + 1][0] if k + 1 < len(raw) else end, *kind)
               for k, (start, kind) in enumerate(raw)]
    kinds = _kinds(periods)
    initial = (periods[0][2], kinds[0])
    changes, state = [], initial
    for p, kind in zip(periods[1:], kinds[1:]):
        # Local mean time is the city's own whatever the zone's reference city was:
        # a change from one local mean time to another changes nothing.
        if (p[2], kind) != state and not (kind == "L" and state[1] == "L"):
            changes.append((p[0], p[2], kind))
            state = (p[2], kind)
    full = History(name, initial, changes)
    if rule is None:
        if state[0] != fixed and state[1] != "L":
            raise ValueError(f"{name}: the last period {state} is not the footer's {fixed}")
        return full
    last_kinds = {(offset, kind) for _, offset, kind in changes[-4:]}
    if last_kinds != {(rule.offset_a, rule.kind_a), (rule.offset_b, rule.kind_b)}:
        raise ValueError(f"{name}: the rule's kinds differ from its last periods {last_kinds}")
    return _trim(full, rule)


def _trim(full, rule):
    """The History with `rule` from the earliest year from which the rule gives the
    same changes as `full`; a rule that holds from a year holds from every later one."""
    last_year = civil_from_seconds(full.changes[-1][0])[0] if full.changes else 1800
    best = None
    for year in range(last_year + 1, 1799, -1):
        first = rule.changes(year)[0][0]
        head = [c for c in full.changes if c[0] < first]
        candidate = History(full.name, full.initial, head, year, rule)
        if candidate.all_changes() != full.changes:
            break
        best = candidate
    if best is None:
        raise ValueError(f"{full.name}: its rule does not reproduce its last changes")
    return best


def _rules_of_year(before, first, second):
    """The yearly rules under which one year's changes are `first` then `second`,
    the clock going from `before` to first's and back: [YearlyRule]."""
    def dates(ut, offset):
        y, mo, d, h, mi, s = civil_from_seconds(ut + offset)
        weekday = (dt.date(y, mo, d).weekday() + 1) % 7
        weeks = [(d - 1) // 7 + 1]
        if d == YearlyRule.day_of_month(y, mo, 5, weekday):
            weeks.append(5)
        return y, [(mo, w, weekday, h * 3600 + mi * 60 + s) for w in weeks]

    out = []
    state_b = first[1:]
    # Summer time inside the year (first is its start) or across the new year
    # (first is its end).
    for a, b, start_change, end_change in ((before, state_b, first, second),
                                           (state_b, before, second, first)):
        y1, starts = dates(start_change[0], a[0])
        y2, ends = dates(end_change[0], b[0])
        if y1 != y2:
            continue
        for s in starts:
            for e in ends:
                rule = YearlyRule(a[0], a[1], b[0], b[1], s, e)
                if rule.changes(y1) == [first, second]:
                    out.append((y1, rule))
    return out


def compress(history, min_years=3):
    """The zone's changes as table items: ("change", ut, offset, kind) and
    ("rule", first year, last year, YearlyRule) for runs of at least `min_years`
    years that follow one yearly rule."""
    items, changes = [], history.changes
    i = 0
    while i < len(changes):
        best = None
        if i + 1 < len(changes):
            before = changes[i - 1][1:] if i else history.initial
            if changes[i + 1][1:] == before:
                for year, rule in _rules_of_year(before, changes[i], changes[i + 1]):
                    n, y = 0, year
                    while changes[i + n:i + n + 2] == rule.changes(y):
                        n, y = n + 2, y + 1
                    if best is None or n > best[0]:
                        best = (n, year, y - 1, rule)
        if best and best[0] >= 2 * min_years:
            items.append(("rule", best[1], best[2], best[3]))
            i += best[0]
        else:
            items.append(("change", *changes[i]))
            i += 1
    return items


# ---------------------------------------------------------------------------
# The table file
# ---------------------------------------------------------------------------
TABLE_HEADER = """\
; Time-zone histories for the atlas: Windows-1251 text, CR LF line ends.
; Generated by tools/make_zone_table.py from tzdata {version}; do not edit.
;
; Z NAME OFFSET KIND        a zone, and its time before its first change
; YYYYMMDDhhmmss OFFSET KIND
;                           a change: from this UT instant on
; R FIRST LAST OFFSET_A KIND_A OFFSET_B KIND_B M.W.D/SECONDS M.W.D/SECONDS
;                           the changes of the years FIRST to LAST ("-": every
;                           later year) by a yearly rule: offset B from the first
;                           date to the second, offset A otherwise; a date is a
;                           month, a week (5: the last), a weekday (0: Sunday) and
;                           seconds after midnight, the first in the local time
;                           of A, the second in that of B
; L ALIAS NAME              another name of a zone
;
; OFFSET: seconds east of Greenwich (the clock's total offset).
; KIND: S standard time, D summer time (the clock ahead of standard time),
;       L local mean time (the city's own: its longitude / 15).
"""


def instant_text(ut):
    y, mo, d, h, mi, s = civil_from_seconds(ut)
    return f"{y:04d}{mo:02d}{d:02d}{h:02d}{mi:02d}{s:02d}"


def table_lines(histories, links):
    lines = TABLE_HEADER.format(version=tzdata_version()).splitlines()
    for alias, target in sorted(links.items()):
        lines.append(f"L {alias} {target}")
    for h in histories:
        lines.append(f"Z {h.name} {h.initial[0]} {h.initial[1]}")
        for item in compress(h):
            if item[0] == "change":
                lines.append(f"{instant_text(item[1])} {item[2]} {item[3]}")
            else:
                lines.append(f"R {item[1]} {item[2]} {item[3].text()}")
        if h.rule:
            lines.append(f"R {h.rule_year} - {h.rule.text()}")
    return lines


def write_table(path, histories, links):
    data = "".join(line + "\r\n" for line in table_lines(histories, links)).encode("cp1251")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)
    return len(data)


def _rule_date(text):
    m = re.fullmatch(r"(\d+)\.(\d)\.(\d)/(-?\d+)", text)
    if not m:
        raise ValueError(f"bad rule date {text!r}")
    return tuple(int(g) for g in m.groups())


def read_table(path):
    """({name: History}, {alias: name}, tzdata version) of a table file; the rules
    of closed runs of years are expanded into changes."""
    histories, links, version = {}, {}, None
    current = None
    text = open(path, "rb").read().decode("cp1251")
    for line in text.split("\r\n"):
        if not line:
            continue
        if line.startswith(";"):
            m = re.search(r"from tzdata (\S+);", line)
            version = m.group(1) if m else version
            continue
        parts = line.split()
        if parts[0] == "Z":
            current = History(parts[1], (int(parts[2]), parts[3]), [])
            histories[parts[1]] = current
        elif parts[0] == "L":
            links[parts[1]] = parts[2]
        elif parts[0] == "R":
            rule = YearlyRule(int(parts[3]), parts[4], int(parts[5]), parts[6],
                              _rule_date(parts[7]), _rule_date(parts[8]))
            if parts[2] == "-":
                current.rule_year, current.rule = int(parts[1]), rule
            else:
                for year in range(int(parts[1]), int(parts[2]) + 1):
                    current.changes.extend(rule.changes(year))
        else:
            s = parts[0]
            ut = ut_seconds(int(s[:4]), int(s[4:6]), int(s[6:8]),
                            int(s[8:10]) * 3600 + int(s[10:12]) * 60 + int(s[12:14]))
            current.changes.append((ut, int(parts[1]), parts[2]))
    for h in histories.values():
        h._times = [c[0] for c in h.changes]
    return histories, links, version
