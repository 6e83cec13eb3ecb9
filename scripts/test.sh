#!/usr/bin/env bash
# Builds and runs every test. Window tests use Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
ctest --test-dir build --output-on-failure -j2
