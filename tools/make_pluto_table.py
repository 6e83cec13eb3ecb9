#!/usr/bin/python3
"""Writes data/System/pluto.sys, the table of Pluto's longitude the chart engine reads.

Line k (counting from 1) holds the whole degrees (floor, never rounded, so the degree
never crosses into the next sign) of Pluto's geocentric ecliptic longitude, referred to
the mean equinox and ecliptic of date, at moment k + 0.5, that is JD 2415020 + k + 0.5:
the middle of the day k <= moment < k + 1 that the line covers. Lines run from
1900-01-01 (k = 1) through 2100-12-31. ASCII digits, CR LF line ends.

Source: python3-ephem (Debian package). Its astrometric geocentric place (light time
applied, no aberration, no nutation) is asked for in the equinox of date
(compute(..., epoch=date)), then turned into ecliptic coordinates with the mean
obliquity of date. Times are UT; ephem adds Delta T itself.

Usage: tools/make_pluto_table.py [OUTPUT]   (default: data/System/pluto.sys)
"""
import math
import os
import sys

import ephem

FIRST_DAY = ephem.Date("1900/01/01 12:00")  # moment 1.0: ephem dates count days from JD 2415020
LAST_DAY = ephem.Date("2100/12/31 12:00")


def pluto_longitude(moment):
    """Geocentric ecliptic longitude of Pluto, mean equinox of date, degrees [0, 360)."""
    date = ephem.Date(moment)
    body = ephem.Pluto()
    body.compute(date, epoch=date)
    equatorial = ephem.Equatorial(body.a_ra, body.a_dec, epoch=date)
    return math.degrees(ephem.Ecliptic(equatorial, epoch=date).lon) % 360.0


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "data", "System", "pluto.sys"))
    first = int(round(float(FIRST_DAY)))
    last = int(round(float(LAST_DAY)))
    assert first == 1
    lines = []
    for k in range(first, last + 1):
        lines.append("%d\r\n" % math.floor(pluto_longitude(k + 0.5)))
    with open(out, "w", encoding="ascii", newline="") as f:
        f.write("".join(lines))
    print("%s: %d lines, moments %d..%d" % (out, len(lines), first, last + 1))


if __name__ == "__main__":
    main()
