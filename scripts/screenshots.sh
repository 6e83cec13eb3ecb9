#!/usr/bin/env bash
# Saves a PNG of every window of the desktop program: the main window with the example
# chart, the birth data, place and add-city dialogs, the report viewer with the report,
# the problem form and the about box, as a user sees them: on a virtual screen (Xvfb)
# with a window manager (openbox), at 1280x1024 and at 1024x768. The program runs with
# its program folder (build/Korvinaut) as the working directory; the main window at
# 1280x1024 is then copied to docs/screenshots/main-window.png, the one the README shows.
#
#   scripts/screenshots.sh [DIR]     DIR defaults to docs/screenshots; the pictures go
#                                    to DIR/1280x1024 and DIR/1024x768
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

for size in 1280x1024 1024x768; do
  mkdir -p "$dir/$size"
  (cd build/Korvinaut && xvfb-run -a -s "-screen 0 ${size}x24" sh -c \
    'openbox > /dev/null 2>&1 & sleep 1; ./korvinaut --screenshots "$0"' "$dir/$size")
done

mkdir -p docs/screenshots
if [[ $(realpath "$dir/1280x1024/main-window.png") != $(realpath -m docs/screenshots/main-window.png) ]]; then
  cp "$dir/1280x1024/main-window.png" docs/screenshots/main-window.png
fi
echo "screenshots in $dir/1280x1024 and $dir/1024x768; main window picture in docs/screenshots/main-window.png"
