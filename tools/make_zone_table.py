#!/usr/bin/env python3
"""Write the zone history table data/System/zones.dat from the system's tzdata.

The table holds, for every zone of a place in tzdata (Europe/Moscow, not Etc/GMT+3),
its changes of the clock from the first standard time on: the UT instant, the new
total offset and whether it is standard time, summer time or still local mean time.
Runs of years that follow one yearly rule are written as that rule; the rule of the
zone's last years covers every later year. tools/zone_history.py describes the
periods and the file layout; the file's header repeats the layout.

The program looks up the history of a city's zone once per birth (input/zone_*).
The output depends only on the installed tzdata: running the script twice gives
identical files.

Usage: make_zone_table.py [--out FILE]
       make_zone_table.py --check [--out FILE] [--samples N] [--seed S]
FILE defaults to data/System/zones.dat of this repository. --check reads the file
back and compares it with Python's zoneinfo (the same tzdata): the offset on both
sides of every change and at N random instants per zone from 1900 to 2100, and the
local mean time periods; it exits 1 on any difference.
"""

import argparse
import datetime as dt
import os
import random
import sys
import zoneinfo

import zone_history as zh

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "data", "System", "zones.dat"))


def build(out):
    zones, links = zh.zones_and_links()
    histories = [zh.history_from_tzdata(z) for z in zones if zh.geographic(z)]
    names = {h.name for h in histories}
    aliases = {a: t for a, t in links.items() if zh.geographic(a) and t in names}
    size = zh.write_table(out, histories, aliases)
    changes = sum(len(h.changes) for h in histories)
    rules = sum(1 for h in histories if h.rule)
    print(f"{out}: tzdata {zh.tzdata_version()}, {len(histories)} zones, {len(aliases)} aliases, "
          f"{changes} changes, {rules} yearly rules, {size} bytes")


def zoneinfo_state(zone, ut):
    """(offset seconds, local mean time?) of tzdata at a UT instant."""
    local = dt.datetime.fromtimestamp(ut, tz=zone)
    return int(local.utcoffset().total_seconds()), local.tzname() in ("LMT", "-00")


def check(out, samples, seed):
    histories, links, version = zh.read_table(out)
    faults = []
    if version != zh.tzdata_version():
        faults.append(f"the table is from tzdata {version}, the system has {zh.tzdata_version()}")
    rng = random.Random(seed)
    low, high = zh.ut_seconds(1900), zh.ut_seconds(2101) - 1
    compared = 0
    for name, h in sorted(histories.items()):
        zone = zoneinfo.ZoneInfo(name)
        instants = [c[0] + d for c in h.all_changes() for d in (-1, 0)]
        instants += [rng.randint(low, high) for _ in range(samples)]
        for ut in instants:
            offset, kind = h.at(ut)
            want_offset, want_lmt = zoneinfo_state(zone, ut)
            compared += 1
            if (kind == "L") != want_lmt or (kind != "L" and offset != want_offset):
                faults.append(f"{name} at {zh.instant_text(ut)} UT: table {offset} {kind}, "
                              f"tzdata {want_offset}{' LMT' if want_lmt else ''}")
    for alias, target in links.items():
        if target not in histories:
            faults.append(f"alias {alias} names no zone of the table: {target}")
    for fault in faults[:50]:
        print("FAULT", fault)
    print(f"{out}: {len(histories)} zones, {compared} instants compared with zoneinfo, "
          f"{len(faults)} differences")
    return not faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=DEFAULT_OUT, help="the table file")
    parser.add_argument("--check", action="store_true", help="compare the table with zoneinfo")
    parser.add_argument("--samples", type=int, default=200, help="random instants per zone (--check)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (--check)")
    args = parser.parse_args()
    if args.check:
        sys.exit(0 if check(args.out, args.samples, args.seed) else 1)
    build(args.out)


if __name__ == "__main__":
    main()
