#!/usr/bin/env bash
# Makes the pictures of the program that the manual shows (docs/schermafdruk-*.png), from the
# real program on a virtual 1024 x 768 screen at 96 dpi. Usage: schermafdrukken.sh [build folder]
# Needs xvfb, xauth and imagemagick. Run it again whenever the program's look changes, then
# rebuild: the manual picks the new pictures up.
set -euo pipefail
bron="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$bron/build}" && pwd)"
[ -x "$build/zorvak" ] || { echo "Geen programma in $build: eerst bouwen." >&2; exit 1; }

# A fresh program folder, so the pictures show a first start and the build folder's own
# settings stay as they are.
map="$(mktemp -d)"
trap 'rm -rf "$map"' EXIT
cp "$build/zorvak" "$map/"
[ -d "$build/Backgrounds" ] && cp -r "$build/Backgrounds" "$map/"

xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  "$1/zorvak" & pid=$!
  sleep 4
  import -window root "$2/docs/schermafdruk-start.png"
  kill $pid
' _ "$map" "$bron"
echo "Gemaakt: docs/schermafdruk-start.png"
