#!/usr/bin/env bash
# Builds the Debian package (build/korvinaut_<version>_<arch>.deb) and checks it:
# lintian, the AppStream metainfo, the desktop entry, the icons against their generator.
#   scripts/package.sh            build and check
#   scripts/package.sh --install  also install it (root: apt-get install ./...deb) and,
#                                 as an ordinary user, write the example report through
#                                 the launcher and open the window under Xvfb
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f build/build.ninja ]] || scripts/build.sh
cmake --build build
(cd build && cpack -G DEB > /dev/null)
deb=$(ls build/korvinaut_*.deb | head -n 1)
echo "package: $deb"

lintian --fail-on error,warning "$deb"
appstreamcli validate --no-net packaging/org.korvinaut.Korvinaut.metainfo.xml
desktop-file-validate packaging/org.korvinaut.Korvinaut.desktop
python3 tools/make_icon.py --check

[[ "${1:-}" == "--install" ]] || exit 0
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 install -y -q "./$deb" > /dev/null
user=korvinaut-ci
id "$user" > /dev/null 2>&1 || useradd --create-home "$user"
home=$(getent passwd "$user" | cut -d: -f6)
rm -rf "$home/.local/share/korvinaut"
# The command-line tool through its launcher, from the user's home: the report goes to
# the user's own program folder.
runuser -u "$user" -- sh -c 'cd && korvinaut-cli report --example'
folder=$home/.local/share/korvinaut
test -s "$folder/Output/horoscop.html"
unzip -tq "$folder/Output/Horoscop.zip"
test -L "$folder/System/Text_01" && test -f "$folder/System/sng.wdt" && test ! -L "$folder/System/sng.wdt"
# A city the user adds survives a reinstallation of the package.
runuser -u "$user" -- korvinaut-cli add-city --region sng --country "Армения" --name "Проверочный" \
  --lat 40 10 N --lon 44 30 E > /dev/null
apt-get -o DPkg::Lock::Timeout=600 install -y -q --reinstall "./$deb" > /dev/null
runuser -u "$user" -- korvinaut-cli places --region sng --country "Армения" | grep -q "Проверочный"
# The window opens for the user (the screenshot mode shows every window and quits).
runuser -u "$user" -- sh -c 'cd && xvfb-run -a -s "-screen 0 1280x1024x24" korvinaut --screenshots /tmp/korvinaut-ci-shots' > /dev/null 2>&1
test -s /tmp/korvinaut-ci-shots/main-window.png
echo "installed package: report, archive, added city and window checked for user $user"
