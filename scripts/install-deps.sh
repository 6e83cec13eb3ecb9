#!/usr/bin/env bash
# Installs every build, test and data-generator dependency from Debian's packages.
# Idempotent: apt-get skips what is already there. Needs root (or sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libqt6webenginecore6-bin
  libqt6svg6 qt6-qpa-plugins
  qt6-pdf-dev
  libzip-dev zipcmp ziptool unzip
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation2
  python3 python3-ephem
)
# Packages the data generators under tools/ need (kept beside the generators).
here=$(cd "$(dirname "$0")" && pwd)
for list in "$here"/*-deps.txt; do
  [ -f "$list" ] || continue
  while read -r pkg; do
    [ -n "$pkg" ] && [ "${pkg#\#}" = "$pkg" ] && packages+=("$pkg")
  done < "$list"
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
$SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${packages[@]}"
