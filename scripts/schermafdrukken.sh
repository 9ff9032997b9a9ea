#!/usr/bin/env bash
# Makes the pictures of the program that the README and the manual show (docs/schermafdruk-*.png
# and docs/voorbeeld-*.png), from the real program on a virtual 1024 x 768 screen at 96 dpi,
# driven by real mouse clicks and key presses. Usage: schermafdrukken.sh [build folder]
# Run it again whenever the program's look changes, then rebuild: the manual picks the new
# pictures up. It takes about a minute.
#
#   schermafdruk-start.png         the screen right after starting
#   schermafdruk-spel.png          a game of 75 balls after eight draws
#   schermafdruk-spel-800x600.png, -1920x1080.png, -3840x2160.png
#                                  the same game on screens of other sizes: the stage scaled
#   schermafdruk-zaal-1920x1080.png the game at 1920 x 1080 with the last ball in high contrast
#                                  and the balls before it (the options of Extra)
#   schermafdruk-twee-zaal.png, schermafdruk-twee-organisator.png
#                                  two screens: the hall's without controls, and the organiser's
#                                  window with a checked card (from the two-screen test, which
#                                  draws on Qt's offscreen screens; a virtual X display shows
#                                  two screens only as separate ones)
#   schermafdruk-twee-programma.png the organiser's window with the programme of the evening, a
#                                  winning card checked for its stage (from the same test)
#   schermafdruk-programma-zaal.png the hall's screen while the programme runs, after its first
#                                  winner (from the same test)
#   schermafdruk-help.png          the help panel
#   schermafdruk-configuratie.png  the settings dialog
#   schermafdruk-kaarteditor.png   the card pattern editor, with the top row clicked
#   schermafdruk-afdrukken.png     the print dialog
#   schermafdruk-kaartcontrole.png a numbered card checked against that game (key K)
#   schermafdruk-scan.png          a scanned card that wins, with the ball that completed it
#   schermafdruk-web-adres.png     the board on the network: its address and QR code on the
#                                  stage (key W), the program started with --web 8080
#   voorbeeld-bingokaarten.png     a page of Bingo cards (75 numbers), from zorvak-kaarten
#   voorbeeld-kienkaarten.png      a page of Kien cards, from zorvak-kaarten
set -euo pipefail
bron="$(cd "$(dirname "$0")/.." && pwd)"

# What this script needs besides the build: the virtual screen, input, capture, and a small
# window manager so the dialogs show their title bars.
"$bron/scripts/pakketten.sh" xvfb xauth imagemagick xdotool openbox poppler-utils

build="$(cd "${1:-$bron/build}" && pwd)"
for p in zorvak zorvak-kaarten; do
  [ -x "$build/$p" ] || { echo "Geen $p in $build: eerst bouwen." >&2; exit 1; }
done

# A fresh program folder, so the pictures show a first start and the build folder's own
# settings stay as they are.
werk="$(mktemp -d)"
trap 'rm -rf "$werk"' EXIT
mkdir "$werk/map" "$werk/beeld"
cp "$build/zorvak" "$werk/map/"
[ -d "$build/Backgrounds" ] && cp -r "$build/Backgrounds" "$werk/map/"

# Numbered cards in the program folder's register, so a card can be checked on the stage.
"$build/zorvak-kaarten" bingo --serie A --register "$werk/map/Kaartregister.db" --uitvoer "$werk/a.pdf" >/dev/null

export XDG_RUNTIME_DIR="$werk/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Everything below runs on the virtual screen. Positions are those of the command bar at
# 1024 x 768: the bar starts at y = 688, its buttons are 48 pixels wide, centred on y = 734.
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s "$werk/map" "$werk/beeld" <<'SCHERM'
set -euo pipefail
map="$1" beeld="$2"

# A press and a release apart, as a hand does; then the mouse goes to an empty spot of the
# background, where no tooltip can appear.
klik() { xdotool mousemove "$1" "$2" mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.2; xdotool mousemove 700 40; }
# The id of the visible window with exactly this title, once it is there (at most 20 s).
venster() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 ||
    { echo "Venster '$1' verschijnt niet." >&2; return 1; }
}
# Waits until the window is gone (at most 10 s).
weg() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  echo "Venster '$1' gaat niet dicht." >&2; return 1
}
scherm() { import -window root "$beeld/$1.png"; }
# A dialog with its title bar, the window manager's frame included.
dialoog() { import -frame -window "$2" "$beeld/$1.png"; }

openbox --sm-disable >/dev/null 2>&1 & wm=$!
sleep 1
"$map/zorvak" 2>/dev/null & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
venster " Zorvak" >/dev/null
sleep 3
scherm schermafdruk-start

# The help panel opens and closes with the same button.
klik 34 734
sleep 2.5
scherm schermafdruk-help
klik 34 734
sleep 1.5

# The settings dialog.
klik 244 734
id=$(venster " Configuratie")
sleep 1.5
dialoog schermafdruk-configuratie "$id"
xdotool key Escape
weg " Configuratie"

# The card pattern editor, with the top row of the large card clicked. The cells are 65
# pixels apart; the centre of the top left one lies 55 pixels right of and below the
# dialog's top left corner.
klik 174 734
id=$(venster " Kaarten")
sleep 1
for kolom in 0 1 2 3 4; do
  xdotool mousemove --window "$id" $((55 + 65 * kolom)) 55 mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.3
done
xdotool mousemove 700 40
sleep 1
dialoog schermafdruk-kaarteditor "$id"
xdotool key Escape
weg " Kaarten"

# The print dialog.
klik 104 734
id=$(venster " Afdrukken Kaarten")
sleep 1.5
dialoog schermafdruk-afdrukken "$id"
xdotool key Escape
weg " Afdrukken Kaarten"

# A game: Start, "Ja" (the default button) to the question, the board slides in and fills,
# then eight balls drawn with the space bar; each ball blinks for about 1.2 s.
klik 384 734
venster "Nieuw Spel" >/dev/null
sleep 0.5
xdotool key Return
sleep 5
for _ in 1 2 3 4 5 6 7 8; do
  xdotool key space
  sleep 1.8
done
sleep 1
scherm schermafdruk-spel

# A player calls: K, the card's number, and the card shows large on the stage.
xdotool key k
venster " Kaart controleren" >/dev/null
xdotool type 3
xdotool key Return
sleep 1.5
scherm schermafdruk-kaartcontrole
SCHERM

# The game on screens of other sizes. The stage is the 1024 x 768 design scaled by one factor
# (the limiting side decides), so the Start button lies at (384, 734) times that factor,
# counted from the bottom of the screen. The last, "1920x1080:zaal", has the options for the
# back row on.
for keuze in 800x600 1920x1080 3840x2160 1920x1080:zaal; do
  maat="${keuze%:*}"
  xvfb-run -a -s "-screen 0 ${maat}x24 -dpi 96" bash -s "$werk/map" "$werk/beeld" "$keuze" <<'MAAT'
set -euo pipefail
map="$1" beeld="$2" keuze="$3"
maat="${keuze%:*}"
b="${maat%x*}" h="${maat#*x}"
read -r x y < <(awk -v b="$b" -v h="$h" 'BEGIN { s = b / 1024; if (h / 768 < s) s = h / 768;
  printf "%d %d\n", 384 * s + 0.5, h - 34 * s + 0.5 }')
# A first start each time: a start after one that was not ended with Exit shows no background,
# and would ask whether to go on with the game it left.
rm -rf "$map/Zorvak.ini" "$map/Zorvak-extra.ini" "$map/Verloop"
naam="schermafdruk-spel-$maat"
if [ "$keuze" != "$maat" ]; then
  printf '[Weergave]\nContrast=true\nVorigeBallen=true\n' >"$map/Zorvak-extra.ini"
  naam="schermafdruk-zaal-$maat"
fi
openbox --sm-disable >/dev/null 2>&1 & wm=$!
sleep 1
"$map/zorvak" 2>/dev/null & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --name "^ Zorvak\$" >/dev/null
sleep 3
xdotool mousemove "$x" "$y" mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.2; xdotool mousemove 20 20
timeout 20 xdotool search --sync --onlyvisible --name "^Nieuw Spel\$" >/dev/null
sleep 0.5
xdotool key Return
sleep 5
for _ in 1 2 3 4 5 6 7 8; do
  xdotool key space
  sleep 1.8
done
sleep 1
import -window root "$beeld/$naam.png"
MAAT
done

# The address of the board on the network with its QR code, as key W shows it to the hall.
rm -rf "$werk/map/Zorvak.ini" "$werk/map/Zorvak-extra.ini" "$werk/map/Verloop"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s "$werk/map" "$werk/beeld" <<'ADRES'
set -euo pipefail
map="$1" beeld="$2"
openbox --sm-disable >/dev/null 2>&1 & wm=$!
sleep 1
"$map/zorvak" --web 8080 2>/dev/null & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --name "^ Zorvak\$" >/dev/null
sleep 3
xdotool mousemove 384 734 mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.2; xdotool mousemove 700 40
timeout 20 xdotool search --sync --onlyvisible --name "^Nieuw Spel\$" >/dev/null
sleep 0.5
xdotool key Return
sleep 5
xdotool key w
sleep 1.5
import -window root "$beeld/schermafdruk-web-adres.png"
ADRES

# Two screens, a laptop and a projector, as the two-screen test sets them up.
[ -x "$build/tests/tst_tweeschermen" ] || { echo "Geen tests/tst_tweeschermen in $build: eerst bouwen." >&2; exit 1; }
ZORVAK_SCHERMAFDRUKKEN="$werk/beeld" QT_QPA_PLATFORM="offscreen:configfile=$build/tests/twee-schermen.json" \
  "$build/tests/tst_tweeschermen" zaalEnOrganisator programmaInOrganisator >/dev/null
# A scanned card that wins, as the stage test scans it on a screen of 1024 x 768.
[ -x "$build/tests/tst_podium" ] || { echo "Geen tests/tst_podium in $build: eerst bouwen." >&2; exit 1; }
ZORVAK_SCHERMAFDRUKKEN="$werk/beeld" QT_QPA_PLATFORM="offscreen:configfile=$build/tests/screen.json" \
  "$build/tests/tst_podium" scanner >/dev/null

# Pages of cards, as zorvak-kaarten prints them (the print dialog writes the same pages).
tekst="Zorvak Bingo & Kienen"
"$build/zorvak-kaarten" bingo --getallen 75 --paginas 1 --tekst "$tekst" --uitvoer "$werk/bingo.pdf" 2>/dev/null
"$build/zorvak-kaarten" kien --paginas 1 --tekst "$tekst" --uitvoer "$werk/kien.pdf" 2>/dev/null
pdftoppm -png -r 50 -singlefile "$werk/bingo.pdf" "$werk/beeld/voorbeeld-bingokaarten"
pdftoppm -png -r 50 -singlefile "$werk/kien.pdf" "$werk/beeld/voorbeeld-kienkaarten"
# Numbered pages, from a register of their own; a little larger, so the numbers can be read,
# and the top right of a card closer up.
"$build/zorvak-kaarten" bingo --paginas 1 --serie A --register "$werk/register.db" --tekst "$tekst" \
  --uitvoer "$werk/bingo-genummerd.pdf" >/dev/null 2>&1
"$build/zorvak-kaarten" kien --paginas 1 --serie A --register "$werk/register.db" --tekst "$tekst" \
  --uitvoer "$werk/kien-genummerd.pdf" >/dev/null 2>&1
pdftoppm -png -r 60 -singlefile "$werk/bingo-genummerd.pdf" "$werk/beeld/voorbeeld-bingokaarten-genummerd"
pdftoppm -png -r 60 -singlefile "$werk/kien-genummerd.pdf" "$werk/beeld/voorbeeld-kienkaarten-genummerd"
pdftoppm -png -r 150 -singlefile -x 295 -y 35 -W 300 -H 120 "$werk/bingo-genummerd.pdf" \
  "$werk/beeld/voorbeeld-kaartnummer"

# Small files for the repository: no metadata; a thin grey edge around the white pages; the
# help panel's few colours fit a palette (the background photographs do not: a palette makes
# them larger and blotchy).
for f in "$werk"/beeld/*.png; do
  naam="$(basename "$f")"
  case "$naam" in
  voorbeeld-*) convert "$f" -bordercolor "#999999" -border 1 -strip "$bron/docs/$naam" ;;
  schermafdruk-help.png) convert "$f" -colors 256 -strip "$bron/docs/$naam" ;;
  *) convert "$f" -strip -define png:compression-level=9 "$bron/docs/$naam" ;;
  esac
  echo "Gemaakt: docs/$naam ($(($(stat -c %s "$bron/docs/$naam") / 1024)) KB)"
done
