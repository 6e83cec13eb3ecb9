#!/usr/bin/python3
"""Compares `korvinaut-cli chart --json` with independent computations.

Bodies: python3-ephem (Debian package), astrometric geocentric places (light time
applied, no aberration, no nutation) in the mean equinox and ecliptic of date, the
frame of the chart engine. Ranges:
  * 1900-2100 (the Pluto table's range), --inside charts, default 2000;
  * -999..1900 and 2100..3000, --outside charts, default 300 (half on each side);
  * 1600-1900, --pluto charts, default 200, for Pluto's orbit outside the table.
The engine takes its moment as Universal Time straight into the series; ephem adds
Delta T. The "TT" column of the outer ranges asks ephem for the instant whose
dynamical time equals the engine's moment, which isolates the series' own error from
the neglected Delta T (about 7 hours at -999, over an hour at 3000).
Note: ephem's own Pluto theory covers 1689-2247 only; outside it ephem's Pluto is itself
off by degrees. So Pluto outside the table is also compared with the astrometric places
of Steve Moshier's ephemeris program `aa` (Debian package astronomical-almanac; series
fitted to DE404 for -3000..+3000), precessed by ephem to the equinox of date, when `aa`
is installed.

House cusps: every chart gets a random place (whole minutes, latitude up to 64.9
degrees). Reference: Greenwich mean sidereal time by the IAU 1982 expression, the
IAU 1980 mean obliquity, Midheaven and Ascendant in closed form, and the four
Placidus cusps solved by bisection of the semi-arc condition to full precision.

Prints the largest and the RMS error per body and per cusp, degrees.

Usage: tools/validate_engine.py [--cli PATH] [--dir PROGRAM_FOLDER] [--inside N]
                                [--outside N] [--pluto N] [--seed S] [--jobs J]
"""
import argparse
import concurrent.futures
import json
import math
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

import ephem

BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"]
FIRST_TABLE_MOMENT = 1.0
LAST_TABLE_MOMENT = 73414.999


def fold(d):
    """Angle difference in degrees folded into [-180, 180)."""
    return (d + 180.0) % 360.0 - 180.0


# ---------------------------------------------------------------- charts from the CLI

def date_args(moment):
    """--date/--time for a moment, UT, in the calendar the program uses (Julian before
    1582-10-15, which ephem shares). Seconds are truncated; the chart reports the moment
    it used."""
    y, mo, d, h, mi, s = ephem.Date(moment).tuple()
    if y == 0:
        return None
    return ["--date", "%02d.%02d.%s" % (d, mo, ("%04d" % y) if y >= 0 else "-%03d" % -y),
            "--time", "%02d:%02d:%02d" % (h, mi, min(59, int(s))), "--zone", "0"]


def random_place(rng):
    lat_minutes = rng.randint(-64 * 60 - 54, 64 * 60 + 54)
    lon_minutes = rng.randint(-179 * 60 - 59, 179 * 60 + 59)
    return lat_minutes / 60.0, lon_minutes / 60.0


def run_chart(cli, folder, moment, lat, lon):
    args = date_args(moment)
    if args is None:
        return None
    cmd = [cli, "chart"] + args + ["--lat", repr(lat), "--lon", repr(lon), "--dir", folder, "--json"]
    out = subprocess.run(cmd, capture_output=True, text=True, check=False)
    if out.returncode != 0:
        raise RuntimeError("%s\n%s" % (" ".join(cmd), out.stderr))
    chart = json.loads(out.stdout)
    chart["lat"], chart["lon"] = lat, lon
    return chart


# ---------------------------------------------------------------- reference bodies

def ephem_body(index):
    return getattr(ephem, BODIES[index])()


def reference(index, moment, as_dynamical):
    """Longitude, latitude, right ascension (degrees), declination of body `index`."""
    date = ephem.Date(moment)
    if as_dynamical:
        date = ephem.Date(moment - ephem.delta_t(date) / 86400.0)
    body = ephem_body(index)
    body.compute(date, epoch=date)
    ecl = ephem.Ecliptic(ephem.Equatorial(body.a_ra, body.a_dec, epoch=date), epoch=date)
    return (math.degrees(ecl.lon), math.degrees(ecl.lat), math.degrees(body.a_ra), math.degrees(body.a_dec))


def body_errors(chart, as_dynamical):
    """Per body: errors of longitude, latitude, RA, declination, daily motion."""
    m = chart["moment"]
    result = []
    for i, b in enumerate(chart["bodies"]):
        lon, lat, ra, dec = reference(i, m, as_dynamical)
        later = 400.0 if i == 9 else 1.0
        lon2 = reference(i, m + later, as_dynamical)[0]
        motion = fold(lon2 - lon) / later
        result.append({
            "lon": fold(b["longitude"] - lon),
            "lat": b["latitude"] - lat,
            "ra": fold(b["rightAscension"] * 15.0 - ra),
            "dec": b["declination"] - dec,
            "motion": b["dailyMotion"] - motion,
        })
    return result


def pluto_from_aa(moments):
    """Pluto's astrometric longitude of date from `aa`, one session for all moments;
    None where `aa` is missing or its instant does not match."""
    if not moments or not shutil.which("aa"):
        return [None] * len(moments)
    with tempfile.TemporaryDirectory() as tmp:
        with open("/etc/aa.ini") as f:
            ini = f.read().splitlines()
        ini[5] = "2      ; input=UT"
        ini[6] = "0.0    ; compute deltaT"
        with open(os.path.join(tmp, "aa.ini"), "w") as f:
            f.write("\n".join(ini) + "\n")
        queries = []
        for m in moments:
            y, mo, d, h, mi, sec = ephem.Date(m).tuple()
            queries += [str(y), str(mo), repr(d + (h + (mi + sec / 60.0) / 60.0) / 24.0), "0", "0", "0", "1", "1", "9"]
        out = subprocess.run(["aa"], input="\n".join(queries) + "\n", capture_output=True, text=True,
                             cwd=tmp, check=False).stdout
    days = [float(x) for x in re.findall(r"Julian day\s+([\d.]+)", out)]
    places = re.findall(r"Astrometric J2000\.0:\s+R\.A\.\s+(\d+)h\s+(\d+)m\s+([\d.]+)s\s+Dec\.\s+(-?)\s*(\d+)d\s+(\d+)'\s+([\d.]+)", out)
    result = []
    for m, jd, p in zip(moments, days, places):
        if abs(jd - (m + 2415020.0)) > 1e-4:
            result.append(None)
            continue
        ra = math.radians(15.0 * (int(p[0]) + int(p[1]) / 60.0 + float(p[2]) / 3600.0))
        dec = math.radians((-1 if p[3] else 1) * (int(p[4]) + int(p[5]) / 60.0 + float(p[6]) / 3600.0))
        date = ephem.Date(m)
        ecl = ephem.Ecliptic(ephem.Equatorial(ra, dec, epoch=ephem.J2000), epoch=date)
        result.append(math.degrees(ecl.lon))
    return result + [None] * (len(moments) - len(result))


# ---------------------------------------------------------------- reference houses

def mean_sidereal_degrees(moment):
    """Greenwich mean sidereal time (IAU 1982), degrees, for a UT moment."""
    jd = moment + 2415020.0
    jd0 = math.floor(jd - 0.5) + 0.5
    t0 = (jd0 - 2451545.0) / 36525.0
    seconds = 24110.54841 + 8640184.812866 * t0 + 0.093104 * t0 ** 2 - 6.2e-6 * t0 ** 3
    seconds += (jd - jd0) * 86400.0 * 1.00273790935
    return (seconds / 240.0) % 360.0


def mean_obliquity(moment):
    t = (moment - 36525.0) / 36525.0
    return math.radians(23.439291111 - (46.8150 * t + 0.00059 * t * t - 0.001813 * t ** 3) / 3600.0)


def longitude_of_ra(ra, eps):
    return math.degrees(math.atan2(math.sin(ra), math.cos(ra) * math.cos(eps))) % 360.0


def bisect(f, lo, hi):
    flo = f(lo)
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        fm = f(mid)
        if (fm < 0) == (flo < 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return 0.5 * (lo + hi)


def placidus(moment, lat, lon):
    eps = mean_obliquity(moment)
    phi = math.radians(lat)
    ramc = math.radians((mean_sidereal_degrees(moment) + lon) % 360.0)
    cusps = [0.0] * 13
    cusps[10] = longitude_of_ra(ramc, eps)
    cusps[1] = math.degrees(math.atan2(math.cos(ramc),
                                       -(math.sin(ramc) * math.cos(eps) + math.tan(phi) * math.sin(eps)))) % 360.0

    def semi_arc(ra, diurnal):
        x = math.sin(ra) * math.tan(eps) * math.tan(phi)  # tan(declination) tan(latitude)
        x = -x if diurnal else x
        return math.acos(max(-1.0, min(1.0, x)))

    # Upper cusps: R - RAMC = DSA(R) / k; lower: RAMC + pi - R = NSA(R) / k.
    for cusp, k in ((11, 3.0), (12, 1.5)):
        r = bisect(lambda r: (r - ramc) - semi_arc(r, True) / k, ramc, ramc + math.pi)
        cusps[cusp] = longitude_of_ra(r, eps)
    for cusp, k in ((2, 1.5), (3, 3.0)):
        r = bisect(lambda r: (ramc + math.pi - r) - semi_arc(r, False) / k, ramc, ramc + math.pi)
        cusps[cusp] = longitude_of_ra(r, eps)
    for i in (4, 5, 6, 7, 8, 9):
        cusps[i] = (cusps[i + 6 if i < 7 else i - 6] + 180.0) % 360.0
    return cusps[1:]


def cusp_errors(chart):
    ref = placidus(chart["moment"], chart["lat"], chart["lon"])
    return [fold(c - r) for c, r in zip(chart["cusps"], ref)]


# ---------------------------------------------------------------- statistics

class Stat:
    def __init__(self):
        self.n, self.sum2, self.max, self.worst = 0, 0.0, 0.0, None

    def add(self, err, where):
        self.n += 1
        self.sum2 += err * err
        if abs(err) >= self.max:
            self.max, self.worst = abs(err), where

    def rms(self):
        return math.sqrt(self.sum2 / self.n) if self.n else float("nan")


def fmt(x, digits=5):
    return ("%." + str(digits) + "f") % x if x == x else "-"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", default=os.path.join(here, "..", "build", "Korvinaut", "korvinaut-cli"))
    parser.add_argument("--dir", help="program folder with System/pluto.sys (default: the CLI's folder)")
    parser.add_argument("--inside", type=int, default=2000)
    parser.add_argument("--outside", type=int, default=300)
    parser.add_argument("--pluto", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    opts = parser.parse_args()
    folder = opts.dir or os.path.dirname(os.path.abspath(opts.cli))
    rng = random.Random(opts.seed)

    lo_all, hi_all = float(ephem.Date("-999/1/1")), float(ephem.Date("3000/12/31 23:59"))
    first_out, last_out = float(ephem.Date("1900/1/1")), float(ephem.Date("2101/1/1"))
    y1600, y1689 = float(ephem.Date("1600/1/1")), float(ephem.Date("1689/1/1"))
    y2247 = float(ephem.Date("2247/1/1"))
    jobs = []
    for _ in range(opts.inside):
        jobs.append(("inside", rng.uniform(FIRST_TABLE_MOMENT, LAST_TABLE_MOMENT)))
    for k in range(opts.outside):
        jobs.append(("outside", rng.uniform(lo_all, first_out) if k % 2 == 0 else rng.uniform(last_out, hi_all)))
    for _ in range(opts.pluto):
        jobs.append(("pluto", rng.uniform(y1600, first_out)))
    places = [random_place(rng) for _ in jobs]

    with concurrent.futures.ThreadPoolExecutor(max_workers=opts.jobs) as pool:
        charts = list(pool.map(lambda jp: run_chart(opts.cli, folder, jp[0][1], *jp[1]), zip(jobs, places)))

    outer = [(k, c) for (k, _), c in zip(jobs, charts) if c is not None and k != "inside"]
    aa_lon = pluto_from_aa([c["moment"] for _, c in outer])
    aa_stats = {}
    for (kind, chart), ref in zip(outer, aa_lon):
        if ref is not None:
            aa_stats.setdefault(kind, Stat()).add(fold(chart["bodies"][9]["longitude"] - ref), chart["moment"])

    fields = ["lon", "lat", "ra", "dec", "motion"]
    stats = {}
    def stat(*key):
        return stats.setdefault(key, Stat())

    count = {"inside": 0, "outside": 0, "pluto": 0}
    for (kind, _), chart in zip(jobs, charts):
        if chart is None:
            continue
        count[kind] += 1
        m = chart["moment"]
        errors_ut = body_errors(chart, False)
        errors_tt = body_errors(chart, True) if kind != "inside" else None
        if kind == "pluto":  # the whole of 1600-1900, reference or not
            stat("pluto-all", "UT", 9, "lon").add(errors_ut[9]["lon"], m)
        for i in range(10):
            if i == 9 and kind != "inside" and not y1689 <= m <= y2247:
                continue  # no ephem reference for Pluto there
            for f in fields:
                stat(kind, "UT", i, f).add(errors_ut[i][f], m)
                if errors_tt:
                    stat(kind, "TT", i, f).add(errors_tt[i][f], m)
        for c, e in enumerate(cusp_errors(chart)):
            where = (m, chart["lat"], chart["lon"])
            stat("cusp", "inside" if kind == "inside" else "outside", c).add(e, where)
            if kind == "inside":
                stat("cusp", "le60" if abs(chart["lat"]) <= 60.0 else "gt60", c).add(e, where)

    print("Charts: %d in 1900-2100, %d in -999..1900 / 2100..3000, %d in 1600-1900 (Pluto)"
          % (count["inside"], count["outside"], count["pluto"]))
    print()
    print("Bodies, 1900-2100 (engine moment as UT, like ephem), degrees")
    print("%-8s %9s %9s %9s %9s %9s %9s  %s" % ("body", "lon max", "lon rms", "lat max", "RA max", "dec max",
                                               "speed max", "worst lon at moment"))
    for i, name in enumerate(BODIES):
        s = {f: stat("inside", "UT", i, f) for f in fields}
        lat = "-" if i == 9 else fmt(s["lat"].max)
        ra = "-" if i == 9 else fmt(s["ra"].max)
        dec = "-" if i == 9 else fmt(s["dec"].max)
        print("%-8s %9s %9s %9s %9s %9s %9s  %.5f" % (name, fmt(s["lon"].max), fmt(s["lon"].rms()), lat, ra, dec,
                                                      fmt(s["motion"].max), s["lon"].worst))
    print()
    print("Bodies, -999..1900 and 2100..3000, longitude, degrees (Pluto against ephem only 1689-2247)")
    print("%-8s %10s %10s %10s %10s  %s" % ("body", "UT max", "UT rms", "TT max", "TT rms", "worst TT at moment"))
    for i, name in enumerate(BODIES):
        ut, tt = stat("outside", "UT", i, "lon"), stat("outside", "TT", i, "lon")
        print("%-8s %10s %10s %10s %10s  %.2f" % (name, fmt(ut.max, 4), fmt(ut.rms(), 4), fmt(tt.max, 4),
                                                  fmt(tt.rms(), 4), tt.worst))
    a = aa_stats.get("outside", Stat())
    print("%-8s %10s %10s   against aa, %d charts (ephem's Pluto fails outside 1689-2247); worst at %s"
          % ("Pluto/aa", fmt(a.max, 4), fmt(a.rms(), 4), a.n, a.worst))
    print()
    p, p89, pa = stat("pluto-all", "UT", 9, "lon"), stat("pluto", "UT", 9, "lon"), aa_stats.get("pluto", Stat())
    print("Pluto from its orbital elements, 1600-1900 (%d charts), degrees:" % p.n)
    print("  against ephem:            max %s rms %s (before 1689 ephem's own Pluto is off)" % (fmt(p.max, 4), fmt(p.rms(), 4)))
    print("  against ephem, 1689-1900: max %s rms %s (%d charts)" % (fmt(p89.max, 4), fmt(p89.rms(), 4), p89.n))
    print("  against aa, 1600-1900:    max %s rms %s (%d charts)" % (fmt(pa.max, 4), fmt(pa.rms(), 4), pa.n))
    print()
    print("Placidus cusps against the independent solution, degrees")
    print("%-5s %9s %9s %9s %9s %11s %11s  %s" % ("cusp", "1900-2100", "rms", "outside", "rms", "|lat|<=60",
                                                  "60<|lat|<65", "worst (moment, lat, lon)"))
    print("%-5s %9s %9s %9s %9s %11s %11s" % ("", "max", "", "max", "", "1900-2100", "1900-2100"))
    for c in range(12):
        a, b = stat("cusp", "inside", c), stat("cusp", "outside", c)
        le, gt = stat("cusp", "le60", c), stat("cusp", "gt60", c)
        worst = max((a, b), key=lambda s: s.max).worst
        print("%-5d %9s %9s %9s %9s %11s %11s  (%.4f, %.3f, %.3f)" % (
            c + 1, fmt(a.max), fmt(a.rms()), fmt(b.max), fmt(b.rms()), fmt(le.max), fmt(gt.max), *worst))
    return 0


if __name__ == "__main__":
    sys.exit(main())
