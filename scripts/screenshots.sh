#!/usr/bin/env bash
# Saves a PNG of every window of the desktop program: the main window with the example
# chart, the birth data, place and add-city dialogs, the report viewer with the report,
# the problem form and the about box. The program runs under Xvfb with its program folder
# (build/Korvinaut) as the working directory; the main window's picture is then copied
# to docs/screenshots/main-window.png, the one the README shows.
#
#   scripts/screenshots.sh [DIR]     DIR defaults to docs/screenshots
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=${1:-docs/screenshots}
[[ $dir = /* ]] || dir=$root/$dir

if [[ -f build/build.ninja ]]; then
  cmake --build build
else
  scripts/build.sh
fi

mkdir -p "$dir"
(cd build/Korvinaut && xvfb-run -a -s "-screen 0 1280x1024x24" ./korvinaut --screenshots "$dir")

mkdir -p docs/screenshots
if [[ $(realpath "$dir/main-window.png") != $(realpath -m docs/screenshots/main-window.png) ]]; then
  cp "$dir/main-window.png" docs/screenshots/main-window.png
fi
echo "screenshots in $dir; main window picture in docs/screenshots/main-window.png"
