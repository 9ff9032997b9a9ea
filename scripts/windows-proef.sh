#!/usr/bin/env bash
# Tries the Windows installer under Wine, as an organiser's PC would get it:
#
#   scripts/windows-proef.sh build-windows/Zorvak-setup.exe
#
# In a fresh Wine prefix of an ordinary user (not root, so that a folder without write
# permission is one), it installs silently, makes the program folder read-only as Program Files
# is on Windows, then
# - lets zorvak-kaarten.exe write two pages of Bingo cards and checks every card's rules in the
#   PDF's text (pdftotext): that also proves the fonts and the DLLs beside the program complete;
# - starts zorvak.exe on a virtual screen, starts a game and draws three balls with the space
#   bar, takes a screenshot (build-windows/proef-zorvak.png) and checks the evening's record;
# - checks that the settings went to %LOCALAPPDATA%\Zorvak, uninstalls silently and checks
#   that the program is gone and the settings are still there.
set -euo pipefail
setup=$(realpath "$1")
bron="$(cd "$(dirname "$0")/.." && pwd)"
uit=$(dirname "$setup")
werk=$(mktemp -d /tmp/zorvak-proef.XXXXXX)
chmod 755 "$werk"
fout() { echo "PROEF MISLUKT: $*" >&2; exit 1; }

# As root the proof runs as an ordinary user, made here once.
als=()
gebruiker=$(id -un)
if [[ $(id -u) -eq 0 ]]; then
  gebruiker=zorvakproef
  id "$gebruiker" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$gebruiker"
  chown "$gebruiker" "$werk"
  als=(runuser -u "$gebruiker" --)
fi
cp "$setup" "$werk/"
export WINEPREFIX=$werk/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$werk
wine_() { "${als[@]}" env WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="$WINEDLLOVERRIDES" HOME="$werk" "$@"; }
trap 'wine_ wineserver -k 2>/dev/null || true; rm -rf "$werk"' EXIT

wine_ wineboot -i >/dev/null 2>&1
wine_ wine "$werk/Zorvak-setup.exe" /S
wine_ wineserver -w
map="$WINEPREFIX/drive_c/Program Files/Zorvak"
lokaal="$WINEPREFIX/drive_c/users/$gebruiker/AppData/Local/Zorvak"
for f in zorvak.exe zorvak-kaarten.exe Zorvak.pdf Beeldscherm.pdf Backgrounds/Background-01.jpg \
         translations/qtbase_nl.qm Zorvak-verwijderen.exe; do
  [[ -f "$map/$f" ]] || fout "$f is niet geïnstalleerd"
done
wine_ wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvak' /v DisplayName |
  grep -q Zorvak || fout "Zorvak staat niet in de lijst van programma's"
[[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvak/Zorvak.lnk" ]] ||
  fout "geen snelkoppeling in het menu Start"
echo "Geïnstalleerd in C:\\Program Files\\Zorvak ($(du -sh "$map" | cut -f1))"
# Program Files cannot be written by an ordinary user.
chmod -R a-w "$map"

# --- zorvak-kaarten.exe: two pages of Bingo cards -----------------------------------------------
pdf_win="Z:${werk//\//\\}\\kaarten.pdf"
wine_ wine "C:\\Program Files\\Zorvak\\zorvak-kaarten.exe" bingo --paginas 2 --tekst "Proef onder Wine" \
  --uitvoer "$pdf_win" || fout "zorvak-kaarten.exe eindigde met $?"
[[ -s "$werk/kaarten.pdf" ]] || fout "geen kaarten.pdf"
cp "$werk/kaarten.pdf" "$uit/proef-kaarten.pdf"
[[ $(pdfinfo "$werk/kaarten.pdf" | sed -n 's/^Pages: *//p') == 2 ]] || fout "niet twee pagina's"
[[ $(pdftotext "$werk/kaarten.pdf" - | grep -c "Proef onder Wine") == 2 ]] || fout "de tekst onder de kaarten ontbreekt"
pdftotext -bbox "$werk/kaarten.pdf" "$werk/kaarten.html"
python3 - "$werk/kaarten.html" <<'PY' || fout "de kaarten houden zich niet aan de regels"
# Every card of a page: the header B I N G O, under each letter the numbers of its column
# (B 1-15, I 16-30, N 31-45, G 46-60, O 61-75), five per column and four under N (FREE in the
# middle), no number twice on a card; six cards on each page.
import re, sys
tekst = open(sys.argv[1], encoding="utf-8").read()
kaarten_totaal = 0
for pagina in re.findall(r"<page .*?</page>", tekst, re.S):
    woorden = [(float(x), float(y), w) for x, y, w in
               re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', pagina)]
    koppen = []
    for x, y, w in woorden:
        if w == "B":
            rij = sorted((x2, w2) for x2, y2, w2 in woorden if abs(y2 - y) < 1 and 0 <= x2 - x < 200)
            if [w2 for _, w2 in rij[:5]] == list("BINGO"):
                koppen.append((x, y, [x2 for x2, _ in rij[:5]]))
    kaarten = {k[:2]: [[] for _ in range(5)] for k in koppen}
    for x, y, w in woorden:
        if not w.isdigit():
            continue
        boven = [k for k in koppen if k[1] < y and k[0] - 20 <= x <= k[2][4] + 40]
        kop = max(boven, key=lambda k: k[1])
        kolom = min(range(5), key=lambda c: abs(kop[2][c] - x))
        kaarten[kop[:2]][kolom].append(int(w))
    assert len(kaarten) == 6, f"{len(kaarten)} kaarten op een pagina"
    for plek, kolommen in kaarten.items():
        getallen = [g for k in kolommen for g in k]
        assert len(set(getallen)) == len(getallen) == 24, (plek, kolommen)
        for c, k in enumerate(kolommen):
            assert len(k) == (4 if c == 2 else 5), (plek, kolommen)
            assert all(15 * c < g <= 15 * c + 15 for g in k), (plek, kolommen)
    kaarten_totaal += len(kaarten)
print(f"{kaarten_totaal} Bingokaarten gecontroleerd: kolommen, bereik, FREE, geen dubbele getallen")
PY

# --- zorvak.exe: a game with three balls, on a virtual screen ----------------------------------
cat > "$werk/spel.sh" <<'SPEL'
set -euo pipefail
wine "C:\\Program Files\\Zorvak\\zorvak.exe" >/dev/null 2>&1 &
timeout 60 xdotool search --sync --onlyvisible --name "Zorvak" >/dev/null
sleep 4
# Start (the command bar's Start button at 1024 x 768), "Ja" to the question, three balls.
xdotool mousemove 384 734 mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 2
xdotool key Return; sleep 6
# Three balls, each drawn with the space bar. A key that comes while the last ball still blinks
# is not a draw, and on a busy machine that phase lasts longer: so each press waits until the
# record holds the ball, and is pressed again only when it does not come.
getrokken() { cat "$2"/Verloop/*.csv 2>/dev/null | grep -c ",getrokken," || true; }
for bal in 1 2 3; do
  for _ in 1 2 3; do
    xdotool key space
    for _ in $(seq 60); do (( $(getrokken "$@") >= bal )) && break; sleep 0.5; done
    (( $(getrokken "$@") >= bal )) && break
  done
done
sleep 2.5
import -window root "$1"
wineserver -k
SPEL
chmod 644 "$werk/spel.sh"
# Everything Wine ran so far ran without a screen, and Wine keeps its desktop process (explorer.exe
# /desktop) alive for the next program. A program started later with a screen would join that
# desktop and put its window nowhere; on Windows there is no such thing. End Wine here, so that
# zorvak.exe starts a desktop of its own on the virtual screen.
wine_ wineserver -k 2>/dev/null || true
wine_ wineserver -w 2>/dev/null || true
wine_ xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash "$werk/spel.sh" "$werk/proef-zorvak.png" "$lokaal" ||
  fout "zorvak.exe liep niet"
cp "$werk/proef-zorvak.png" "$uit/proef-zorvak.png"
[[ -f "$lokaal/Zorvak.ini" ]] || fout "geen Zorvak.ini in %LOCALAPPDATA%\\Zorvak"
[[ ! -e "$map/Zorvak.ini" ]] || fout "Zorvak.ini in de programmamap"
getrokken=$(cat "$lokaal"/Verloop/*.csv 2>/dev/null | grep -c ",getrokken," || true)
[[ $getrokken == 3 ]] || fout "$getrokken ballen in het verloop in plaats van 3"
echo "zorvak.exe: een spel met 3 ballen; instellingen en verloop in %LOCALAPPDATA%\\Zorvak"

# --- Uninstalling: the program goes, the settings stay ------------------------------------------
chmod -R u+w "$map"
wine_ wine "C:\\Program Files\\Zorvak\\Zorvak-verwijderen.exe" /S
wine_ wineserver -w
sleep 2
[[ ! -e "$map/zorvak.exe" ]] || fout "zorvak.exe is na verwijderen nog daar"
[[ -f "$lokaal/Zorvak.ini" ]] || fout "het verwijderen nam de instellingen mee"
if wine_ wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvak' >/dev/null 2>&1; then
  fout "Zorvak staat na verwijderen nog in de lijst van programma's"
fi
echo "Verwijderd; de instellingen in %LOCALAPPDATA%\\Zorvak zijn gebleven"
echo "Proef geslaagd: $uit/proef-kaarten.pdf, $uit/proef-zorvak.png"
