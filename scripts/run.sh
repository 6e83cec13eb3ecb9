#!/usr/bin/env bash
# Builds the program and runs its main job.
#   scripts/run.sh example   write the horoscope of the built-in example person (the default)
#   scripts/run.sh gui       start the desktop program (needs a display, or use xvfb-run)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build/Korvinaut
job=${1:-example}
case "$job" in
  example)
    # Chart, wheel and report for the example; the tool prints the two files it wrote.
    out=$(./korvinaut-cli report --example)
    html=${out%%$'\n'*}
    zip=${out#*$'\n'}
    echo "The example horoscope is written:"
    echo "  report:  $html"
    echo "  archive: $zip"
    echo "Open the report in a web browser."
    ;;
  gui)
    # Qt WebEngine (the report viewer) refuses to run as root with its sandbox on;
    # the program switches it off itself in that case.
    exec ./korvinaut
    ;;
  *) echo "unknown job: $job (try: example, gui)" >&2; exit 2 ;;
esac
