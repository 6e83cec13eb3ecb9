#!/usr/bin/env python3
"""Batch reports against single reports.

Usage: cli_batch_test.py CLI PROGRAM_DIR WORK_DIR

Writes a CSV file of 20 rows (one of them bad), runs `batch` on two threads, and checks:
the bad row is reported and has no folder, the exit code says a row failed, no
temporary folder is left, and every other row's report and pictures are the same bytes
as a single `report` run with the same data gives.
"""
import csv
import filecmp
import os
import random
import shutil
import subprocess
import sys
from pathlib import Path

cli, program, work = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)
prog = work / "prog"
shutil.copytree(program, prog, symlinks=True, ignore=shutil.ignore_patterns("Output", "korvinaut*"))
(prog / "Output").mkdir()

rng = random.Random(11)
header = ["name", "sex", "date", "time", "zone", "summer", "lat", "lon", "city", "region", "country"]
rows = []
for i in range(20):
    date = f"{rng.randint(1, 28):02d}.{rng.randint(1, 12):02d}.{rng.randint(1901, 2099)}"
    time = f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}"
    sex = "MF"[i % 2]
    name = f"Человек {i + 1}, \"№{i + 1}\""
    if i % 4 == 0:
        rows.append([name, sex, date, time, "", "", "", "", "Москва", "sng", "Россия (Москва)"])
    else:
        zone = str(rng.randint(-11, 12))
        rows.append([name, sex, date, time, zone, "yes" if i % 3 == 0 else "no",
                     f"{rng.uniform(-60, 60):.2f}", f"{rng.uniform(-170, 170):.2f}", f"Город {i}", "", ""])
BAD = 7  # the row whose city the atlas lacks
rows[BAD - 1] = ["Нет такого города", "M", "01.01.2000", "12:00", "", "", "", "", "Нигдеград", "sng",
                 "Россия (Москва)"]
with open(work / "rows.csv", "w", encoding="utf-8", newline="") as f:
    w = csv.writer(f)
    w.writerow(header)
    w.writerows(rows)

out = work / "out"
run = subprocess.run([cli, "batch", str(work / "rows.csv"), "--out", str(out), "--jobs", "2", "--dir", str(prog)],
                     capture_output=True, text=True)
print(run.stdout, run.stderr)
assert run.returncode == 1, f"exit code {run.returncode}, expected 1 (one row failed)"
assert f"row {BAD} (line {BAD + 1})" in run.stdout and "Нигдеград" in run.stdout, "the bad row is not reported"
folders = sorted(os.listdir(out))
assert len(folders) == 19, folders
assert not any(f.startswith(".") for f in folders), f"temporary folders left: {folders}"
assert not any(f.startswith(f"{BAD:03d}") for f in folders)

for number, row in enumerate(rows, 1):
    if number == BAD:
        continue
    name, sex, date, time, zone, summer, lat, lon, city, region, country = row
    args = [cli, "report", "--dir", str(prog), "--name", name, "--sex", sex, "--date", date, "--time", time]
    if region:
        args += ["--region", region, "--country", country, "--city", city]
    else:
        args += ["--zone", zone, "--lat", lat, "--lon", lon, "--city", city]
        if summer == "yes":
            args.append("--summer")
    subprocess.run(args, check=True, capture_output=True)
    folder = out / next(f for f in folders if f.startswith(f"{number:03d} "))
    single = sorted(p.name for p in (prog / "Output").iterdir())
    assert sorted(p.name for p in folder.iterdir()) == single, (folder, single)
    for file in single:
        if file != "Horoscop.zip":  # entry times in the archive follow the files' times
            assert filecmp.cmp(folder / file, prog / "Output" / file, shallow=False), f"{folder / file} differs"
print("19 batch reports equal their single runs")
