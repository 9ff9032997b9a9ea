#!/usr/bin/env bash
# Zorvak for Windows, built on Debian 12 in one command:
#
#   scripts/windows.sh
#
# 1. installs what it needs (MinGW-w64, Wine, NSIS, Xvfb, ...);
# 2. builds Qt for Windows once, into /var/cache/zorvak/qt-windows or $ZORVAK_QT_WINDOWS
#    (scripts/qt-windows.sh; skipped when that cache is complete);
# 3. builds the build machine's own maak-icoon and maak-document (in build/, the Linux build,
#    or else in build-windows/linux): the icon and the two PDFs are made here, as on Linux,
#    not under Wine;
# 4. cross-builds the program and its tests into build-windows/ (zorvak.exe, zorvak-kaarten.exe);
# 5. runs the test suite under Wine, on Qt's offscreen platform;
# 6. lays out the program's folder, build-windows/Zorvak/, with `cmake --install`, and packs it
#    as build-windows/Zorvak-setup.exe (NSIS) and build-windows/Zorvak-portable.zip;
# 7. installs that installer silently under Wine and tries the installed programs
#    (scripts/windows-proef.sh).
#
# Options: --zonder-tests skips 5, --zonder-proef skips 7.
set -euo pipefail
cd "$(dirname "$0")/.."
BRON=$PWD
QT=${ZORVAK_QT_WINDOWS:-/var/cache/zorvak/qt-windows}
UIT=$BRON/build-windows
JOBS=${ZORVAK_JOBS:-$(nproc)}
tests=1 proef=1
for a in "$@"; do
  case $a in
    --zonder-tests) tests=0 ;;
    --zonder-proef) proef=0 ;;
    *) echo "Onbekende optie $a" >&2; exit 2 ;;
  esac
done
stap() { echo; echo "== $* ($(date +%T))"; }

stap "Pakketten"
if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
  echo "Dit script installeert Debian-pakketten: start het als root of met sudo." >&2
  exit 1
fi
# The Linux build's own packages (for the tools of step 3), and those of the Windows build.
# Wine's recommended libraries for windows on a screen are named too: they are left out otherwise.
scripts/pakketten.sh g++-mingw-w64-x86-64 wine wine64 nsis xvfb xauth xdotool imagemagick zip python3 \
  qt6-base-dev-tools qt6-translations-l10n fonts-liberation2 fonts-comic-neue poppler-utils \
  fonts-wine libgl1 libxrandr2 libxinerama1 libxcursor1 libxi6 libxrender1 libxcomposite1 libxfixes3 libxxf86vm1

stap "Qt voor Windows"
scripts/qt-windows.sh

stap "Gereedschap van de bouwmachine"
# The Linux build of scripts/test.sh when there is one (brought up to date), otherwise one of
# its own with only these two tools.
gastheer=$BRON/build
if [[ ! -f $gastheer/CMakeCache.txt ]]; then
  gastheer=$UIT/linux
  cmake -S . -B "$gastheer" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
nice -n 10 cmake --build "$gastheer" -j "$JOBS" --target maak-icoon maak-document

stap "Zorvak voor Windows"
cmake -S . -B "$UIT" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$BRON/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$QT" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DZORVAK_QT_MAP="$QT" \
  -DZORVAK_GASTHEER_MAP="$gastheer" \
  -DCMAKE_INSTALL_PREFIX="$UIT/Zorvak" >/dev/null
nice -n 10 cmake --build "$UIT" -j "$JOBS"

export WINEPREFIX=$UIT/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if (( tests )); then
  stap "Tests onder Wine"
  # The prefix is made once, before the tests start side by side in it. Qt draws offscreen, but
  # Wine makes its windows (Qt's hidden message window too) through an X display: a virtual one.
  [[ -f $WINEPREFIX/system.reg ]] || wineboot -i >/dev/null 2>&1
  # Qt Test writes to the debugger's log when there is no console window; CTest reads stdout.
  # Wine passes no QT_ variable on from the environment, but takes the user's from the registry.
  wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /t REG_SZ /d 1 /f >/dev/null 2>&1
  wineserver -w
  # Under Wine pdftotext, zbarimg and Chromium are missing by design: those tests skip.
  env -u ZORVAK_CI xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$UIT" -j "$JOBS" --output-on-failure
  wineserver -k 2>/dev/null || true
fi

stap "De programmamap"
rm -rf "$UIT/Zorvak"
cmake --install "$UIT" >/dev/null

stap "Installatieprogramma en zip"
# What the uninstaller removes: each installed file and then each folder, deepest first
# (RMDir without /r removes a folder only when it is empty).
lijst=$UIT/verwijderen.nsh
(
  cd "$UIT/Zorvak"
  find . -type f | sed 's|^\./||' | sort | while read -r f; do
    printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"
  done
  find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while read -r d; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"
  done
) > "$lijst"
grootte=$(du -sk "$UIT/Zorvak" | cut -f1)
versie=$(sed -n 's/^project(Zorvak VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
makensis -V2 -DVERSIE="$versie" -DMAP="$UIT/Zorvak" -DLIJST="$lijst" -DGROOTTE_KB="$grootte" \
  -DUIT="$UIT/Zorvak-setup.exe" packaging/windows/zorvak.nsi
rm -f "$UIT/Zorvak-portable.zip"
(cd "$UIT" && zip -qr -9 Zorvak-portable.zip Zorvak)
ls -l "$UIT/Zorvak-setup.exe" "$UIT/Zorvak-portable.zip"

if (( proef )); then
  stap "Proef: installeren en starten onder Wine"
  scripts/windows-proef.sh "$UIT/Zorvak-setup.exe"
fi
stap "Klaar: $UIT/Zorvak-setup.exe"
