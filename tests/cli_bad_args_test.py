#!/usr/bin/env python3
"""Bad command-line input is refused with a message naming what is wrong.

Usage: cli_bad_args_test.py CLI PROGRAM_DIR

Each case runs korvinaut-cli and expects a non-zero exit code and the given words on
stderr; nothing is computed from input the tool cannot mean.
"""
import subprocess
import sys

cli, program = sys.argv[1], sys.argv[2]
MOSCOW = ["--date", "17.05.1990", "--time", "14:30", "--zone", "3", "--lat", "55.75", "--lon", "37.62"]


def line(date="01.01.2000", time="12:00:00", coords=" 37°37’ВД  55°45’СШ", zone="  3.0", sex="M", dst="Z"):
    return (f"{'Name':<40} {date:<10}  {time:<8}  {'City':<25}   {coords:<19}  {zone:>5}  {sex}  {dst}")


CASES = [
    # A birth line is checked as strictly as the options.
    (["convert", "--line", line(date="99.99.9999", time="99:99:99")], "columns 42-51"),
    (["convert", "--line", line(date="-9.01.2000")], "columns 42-51"),
    (["convert", "--line", line(zone="9e307")], "columns 113-117"),
    (["convert", "--line", line(sex="Q")], "columns 120"),
    (["convert", "--line", line(dst="Q")], "columns 123"),
    (["chart", "--line", line(coords="037d37'VD  55d45'SH")], "полушарие"),
    (["chart", "--line", line(coords="999°99’ВД  99°99’СШ")], "градусы долготы"),
    (["convert", "--line", "too short"], "123"),
    # Coordinates: hemisphere and ranges, also after rounding to whole minutes.
    (["chart", "--date", "01.01.2000", "--time", "12:00", "--zone", "3", "--coords", "037d37'VD  55d45'SH"],
     "полушарие"),
    (["chart", "--date", "01.01.2000", "--time", "12:00", "--zone", "3", "--lat", "89.995", "--lon", "10"], "--lat"),
    (["chart", "--date", "01.01.2000", "--time", "12:00", "--zone", "3", "--lat", "10", "--lon", "179.999"], "--lon"),
    (["convert", "--date", "31.02.1990", "--time", "12:00", "--zone", "3"], "--date"),
    # Flags take no value; an option is given once; several values are counted.
    (["convert", *MOSCOW, "--summer=no"], "--summer takes no value"),
    (["convert", *MOSCOW, "--json=0"], "--json takes no value"),
    (["convert", *MOSCOW, "--zone", "4"], "--zone is given twice"),
    (["add-city", "--region", "sng", "--country", "Армения", "--name", "X", "--lat", "50", "00", "--lon", "10", "00",
      "E"], "--lat needs 3 values"),
    (["convert", "--name", "--date", "01.01.2000"], "--name needs a value"),
    # Names and cities: control characters, malformed UTF-8, characters outside
    # Windows-1251, and more than fits, everywhere with one message.
    (["convert", *MOSCOW, "--city", "Mos\ncow"], "control characters"),
    (["convert", *MOSCOW, "--name", b"a\xc0\x8ab"], "cannot store"),
    (["convert", *MOSCOW, "--name", "Ωμέγα"], "cannot store"),
    (["convert", *MOSCOW, "--city", "Ωμέγα"], "cannot store"),
    (["convert", *MOSCOW, "--name", "N" * 41], "at most 40"),
    (["convert", *MOSCOW, "--city", "C" * 26], "at most 25"),
]

failures = []
for args, expected in CASES:
    argv = [cli] + [a if isinstance(a, bytes) else a.encode() for a in args] + [b"--dir", program.encode()]
    run = subprocess.run(argv, capture_output=True)
    err = run.stderr.decode("utf-8", errors="replace")
    if run.returncode == 0 or expected not in err:
        failures.append(f"{args!r}: exit {run.returncode}, stderr {err.strip()!r}, expected {expected!r}")
for f in failures:
    print("FAIL", f)
print(f"{len(CASES) - len(failures)} of {len(CASES)} bad inputs refused")
sys.exit(1 if failures else 0)
