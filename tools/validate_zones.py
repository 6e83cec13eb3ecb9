#!/usr/bin/env python3
"""Compares the program's conversion of a local birth time to universal time with
tzdata, read by Python's zoneinfo.

For random (city, local date and time) pairs from 1900 to 2100, the city taken from
the atlas of a program folder, it runs `korvinaut-cli convert --region --country
--city --date --time --json` and takes the program's UT offset from the moment it
prints: local time - moment. The reference is zoneinfo's offset for that local time
(fold=0: a repeated time is its first pass, a skipped time is read with the offset
before the change, as the program does), except before the zone adopted standard time
(tzdata's "LMT" or "-00"), where the program by design uses the city's own mean time,
its longitude / 15.

Each pair falls into one of:
  exact     the offsets agree to the second
  rounded   they agree once the reference's standard time is rounded to the tenth of
            an hour that the birth record's zone text holds (5:45 -> 5.8, a local
            mean time of 2:30:17 -> 2.5)
  mismatch  anything else: printed
Some of the pairs (--near-changes) are put within 90 minutes of a change of the
clocks, so that skipped and repeated times are tried.

Usage: validate_zones.py [--cli PATH] [--dir PROGRAM_FOLDER] [--pairs N]
                         [--near-changes N] [--seed S] [--jobs J]
The defaults take build/Korvinaut of this repository.
"""

import argparse
import concurrent.futures
import datetime as dt
import json
import math
import os
import random
import subprocess
import sys
import zoneinfo

import zone_history as zh

HERE = os.path.dirname(os.path.abspath(__file__))
REGIONS = ["sng", "europa", "namerica", "samerica", "africa", "azia", "austral"]
FIRST, LAST = dt.datetime(1900, 1, 1), dt.datetime(2100, 12, 31, 23, 59)
EPOCH_1900 = dt.datetime(1899, 12, 31, 12)   # the moment's origin, JD 2415020.0


def atlas_cities(sys_dir):
    """(region, country, city, longitude, zone) of every city with a zone name."""
    cities = []
    for region in REGIONS:
        raw = open(os.path.join(sys_dir, region + ".wdt"), "rb").read().decode("cp1251")
        country = None
        for line in raw.split("\r\n"):
            if line.startswith("*"):
                country = line[1:30].strip()
            elif line.strip() and len(line) > 46:
                degrees = line[38:42]
                lon = abs(int(degrees)) + int(line[43:45]) / 60
                cities.append((region, country, line[1:30].strip(), -lon if "-" in degrees else lon,
                               line[46:80].strip()))
    return cities


def round_half_away(hours):
    """To a tenth of an hour as the zone text holds it (halves away from zero)."""
    return math.copysign(math.floor(abs(hours) * 10 + 0.5) / 10, hours)


def reference(city, local):
    """(UT offset in hours, standard time in hours, summer?, local mean time?) of
    tzdata for a local time. Where the city's own mean time may still hold, that is
    the reference: in tzdata's "LMT", and at its end, where the city's clock (not the
    zone's reference city's) was still on mean time at the instant and the earlier of
    the two readings is the mean time's."""
    zone = zoneinfo.ZoneInfo(city[4])
    own = city[3] / 15
    aware = local.replace(tzinfo=zone, fold=0)
    mean = ("LMT", "-00")
    offset = aware.utcoffset().total_seconds() / 3600
    ut_if_own = (local - dt.timedelta(hours=own)).replace(tzinfo=dt.timezone.utc)
    own_still = ut_if_own.astimezone(zone).tzname() in mean
    if aware.tzname() in mean or (own_still and own > offset):
        return own, own, False, True
    summer = aware.dst() is not None and aware.dst().total_seconds() != 0
    return offset, None, summer, False


def clock_case(city, local):
    """"repeated", "skipped" or "" for a local time, as tzdata has it."""
    zone = zoneinfo.ZoneInfo(city[4])
    first, second = (local.replace(tzinfo=zone, fold=f) for f in (0, 1))
    if first.utcoffset() == second.utcoffset():
        return ""
    back = first.astimezone(dt.timezone.utc).astimezone(zone).replace(tzinfo=None)
    return "skipped" if back != local else "repeated"


def program_offset(cli, folder, city, local):
    cmd = [cli, "convert", "--region", city[0], "--country", city[1], "--city", city[2],
           "--date", local.strftime("%d.%m.%Y"), "--time", local.strftime("%H:%M"),
           "--dir", folder, "--json"]
    out = subprocess.run(cmd, capture_output=True, text=True, check=False)
    if out.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)}\n{out.stderr}")
    record = json.loads(out.stdout)
    local_days = (local - EPOCH_1900).total_seconds() / 86400
    return (local_days - record["moment"]) * 24, record


def classify(city, local, program, record):
    ref, ref_std, _, mean_time = reference(city, local)
    if abs(program - ref) * 3600 < 1:
        return "exact"
    # The zone text keeps a tenth of an hour; summer time adds a whole hour on top.
    summer = record["dstCode"] == "L"
    standard = ref_std if mean_time else ref - (1 if summer else 0)
    if abs(round_half_away(standard) + (1 if summer else 0) - program) * 3600 < 1:
        return "rounded"
    return "mismatch"


def near_a_change(rng, city):
    """A local time within 90 minutes of one of the zone's changes from 1900 to 2100."""
    h = zh.history_from_tzdata(city[4])
    changes = [c for c in h.all_changes() if zh.ut_seconds(1900) <= c[0] < zh.ut_seconds(2101)]
    if not changes:
        return None
    ut, offset, _ = rng.choice(changes)
    local = dt.datetime(1970, 1, 1) + dt.timedelta(seconds=ut + offset + rng.randint(-90, 90) * 60)
    return local.replace(second=0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    default_folder = os.path.join(HERE, "..", "build", "Korvinaut")
    parser.add_argument("--cli", default=os.path.join(default_folder, "korvinaut-cli"))
    parser.add_argument("--dir", default=default_folder, help="program folder whose System/ is used")
    parser.add_argument("--pairs", type=int, default=5000, help="random pairs from 1900 to 2100")
    parser.add_argument("--near-changes", type=int, default=1000,
                        help="further pairs within 90 minutes of a change of the clocks")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    cities = atlas_cities(os.path.join(args.dir, "System"))
    span = int((LAST - FIRST).total_seconds() // 60)
    pairs = [(rng.choice(cities), FIRST + dt.timedelta(minutes=rng.randint(0, span)), "random")
             for _ in range(args.pairs)]
    while len(pairs) < args.pairs + args.near_changes:
        city = rng.choice(cities)
        local = near_a_change(rng, city)
        if local and FIRST <= local <= LAST:
            pairs.append((city, local, "near a change"))

    def run(pair):
        city, local, kind = pair
        program, record = program_offset(args.cli, args.dir, city, local)
        return pair, program, classify(city, local, program, record), record

    counts = {}
    cases = {"repeated": 0, "skipped": 0}
    mismatches = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for (city, local, kind), program, verdict, record in pool.map(run, pairs):
            ref, _, summer, mean_time = reference(city, local)
            case = clock_case(city, local)
            if case:
                cases[case] += 1
            group = "local mean time" if mean_time else kind
            counts.setdefault(group, {}).setdefault(verdict, 0)
            counts[group][verdict] += 1
            if verdict == "mismatch":
                mismatches.append(f"{city[2]} ({city[1]}, {city[4]}) {local:%d.%m.%Y %H:%M}: program "
                                  f"{program:+.4f} h (zone {record['zoneText'].strip()}, "
                                  f"summer {record['dstCode']}), tzdata {ref:+.4f} h")
    print(f"{len(pairs)} pairs, {len(cities)} cities with a zone name, tzdata {zh.tzdata_version()}")
    for group, verdicts in sorted(counts.items()):
        total = sum(verdicts.values())
        print(f"  {group:<16} {total:>6}: " + ", ".join(f"{v} {verdicts.get(v, 0)}"
                                                    for v in ("exact", "rounded", "mismatch")))
    print(f"  among them {cases['repeated']} repeated and {cases['skipped']} skipped local times")
    for line in mismatches[:100]:
        print("MISMATCH", line)
    print(f"{len(mismatches)} mismatches")
    sys.exit(1 if mismatches else 0)


if __name__ == "__main__":
    main()
