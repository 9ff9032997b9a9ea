#!/usr/bin/env bash
# Builds the Debian package from the build folder (made by scripts/test.sh) and checks it the
# way Debian does: lintian may report no error and no warning, and the AppStream metadata
# must pass appstreamcli. Usage: pakket.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
bouw=${1:-build}
scripts/pakketten.sh lintian appstream dpkg-dev file

cmake -S . -B "$bouw" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$bouw" -j"$(nproc)"
rm -f "$bouw"/zorvak_*.deb
(cd "$bouw" && cpack -G DEB >/dev/null)
deb=$(ls "$bouw"/zorvak_*.deb)
echo "Pakket: $deb"

# No network here: the screenshots' addresses are not fetched.
appstreamcli validate --no-net --pedantic packaging/nl.zorvak.zorvak.metainfo.xml
werk=$(mktemp -d)
trap 'rm -rf "$werk"' EXIT
dpkg-deb -x "$deb" "$werk"
appstreamcli validate --no-net "$werk"/usr/share/metainfo/*.metainfo.xml >/dev/null

lintian --fail-on error,warning --display-level '>=warning' "$deb"
echo "lintian en appstreamcli: in orde"
