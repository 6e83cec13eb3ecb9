#!/usr/bin/env bash
# Builds the program and runs its main job.
#   scripts/run.sh example   convert an example birth moment (the default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build/Korvinaut
job=${1:-example}
case "$job" in
  example)
    ./korvinaut-cli convert --name "Пример" --date 17.05.1990 --time 14:30 --zone 3 --summer \
      --lat 55.75 --lon 37.62 --city "Москва"
    ;;
  *) echo "unknown job: $job (try: example)" >&2; exit 2 ;;
esac
