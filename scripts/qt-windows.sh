#!/usr/bin/env bash
# Builds the Qt that the Windows program links against: Qt 6.4.2 (qtbase, the same version as
# the Debian host Qt whose moc, rcc and uic it uses) for x86_64-w64-mingw32, from Debian's source
# packages, with SQLite from Debian's sqlite3 source; beside it the barcode library zint, from
# Debian's zint source (its library only, as a static library). Only what the program uses is built:
# Core, Gui, Widgets, PrintSupport, Sql with the SQLite driver, Network, Test, the windows,
# offscreen and minimal platforms, the windowsvista style and the JPEG and GIF image formats.
# Beside it, the header of cpp-httplib from Debian's source package.
#
# The result goes to a cache folder outside the checkout, /var/cache/zorvak/qt-windows, or the
# folder named by ZORVAK_QT_WINDOWS. Each part built into it leaves a stamp file there, written
# last; a part whose stamp is present is not built again, and a build that was killed half-way
# (no stamp) is done anew from the start.
#
# Adding a library that the program needs on Windows too (built from a Debian source package):
# write a function bouw_NAAM below that takes its source with `debian_bron PAKKET map`, builds it
# with the toolchain file cmake/mingw-w64-x86_64.cmake (CMAKE_INSTALL_PREFIX="$QT", so that the
# program's find_package finds it through the same CMAKE_PREFIX_PATH) and installs its DLL into
# "$QT/bin"; then add NAAM to ONDERDELEN. The DLL still has to be listed beside the Qt DLLs in
# cmake/windows-deploy.cmake. Bump a part's version in its stamp name to have caches rebuilt.
#
#   scripts/qt-windows.sh            build what is missing in the cache
#   ZORVAK_QT_WINDOWS=/pad scripts/qt-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
BRON=$PWD
QT=${ZORVAK_QT_WINDOWS:-/var/cache/zorvak/qt-windows}
# Where the sources are unpacked and built; removed when every part is done.
WERK=${QT}.werk
ONDERDELEN=(qtbase-6.4.2-1 zint-2.11.1-1 httplib-0.11.4-1)
JOBS=${ZORVAK_JOBS:-$(nproc)}

klaar() { [[ -f "$QT/.klaar-$1" ]]; }

alles_klaar=1
for o in "${ONDERDELEN[@]}"; do klaar "$o" || alles_klaar=0; done
if (( alles_klaar )); then
  echo "Qt voor Windows staat klaar in $QT"
  exit 0
fi

als_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

# Debian's source packages come from the same archive as its binary packages: a deb-src entry
# beside the machine's own sources file, with the same addresses and suites.
bronnen_aanzetten() {
  local lijst=/etc/apt/sources.list.d/zorvak-deb-src.sources
  if apt-get source --print-uris qt6-base >/dev/null 2>&1; then return; fi
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | als_root tee "$lijst" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      als_root tee /etc/apt/sources.list.d/zorvak-deb-src.list >/dev/null
  fi
  als_root apt-get update -q
}

benodigd() {
  local ontbreekt=()
  for p in "$@"; do dpkg -s "$p" >/dev/null 2>&1 || ontbreekt+=("$p"); done
  if (( ${#ontbreekt[@]} )); then
    als_root apt-get update -q
    als_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${ontbreekt[@]}"
  fi
}

# debian_bron PAKKET MAP: the Debian source package PAKKET, with Debian's patches applied, in MAP.
debian_bron() {
  local pakket=$1 map=$2 dsc
  rm -rf "$map" "$WERK/download-$pakket"
  mkdir -p "$WERK/download-$pakket"
  (cd "$WERK/download-$pakket" && apt-get source -q --download-only "$pakket")
  dsc=$(ls "$WERK/download-$pakket"/*.dsc | head -n1)
  dpkg-source --no-check -x "$dsc" "$map" >/dev/null
  rm -rf "$WERK/download-$pakket"
}

# SQLite as one C file (the "amalgamation"), made from Debian's sqlite3 source by its own
# makefile, and put where qtbase keeps its bundled SQLite (Debian removed that copy).
sqlite_samenvoegen() {
  local doel=$1
  debian_bron sqlite3 "$WERK/sqlite"
  mkdir -p "$WERK/sqlite-bouw"
  (cd "$WERK/sqlite-bouw" && "$WERK/sqlite/configure" --disable-tcl >/dev/null && make -s sqlite3.c)
  mkdir -p "$doel"
  cp "$WERK/sqlite-bouw/sqlite3.c" "$WERK/sqlite-bouw/sqlite3.h" "$doel/"
}

bouw_qtbase() {
  debian_bron qt6-base "$WERK/qtbase"
  sqlite_samenvoegen "$WERK/qtbase/src/3rdparty/sqlite"
  # Without the Direct2D platform (not needed here) Qt 6.4.2 leaves the DirectWrite font engine
  # and font database out of Gui, but its print engine and windows platform still ask for them:
  # they take the GDI ones instead, as Gui itself does.
  sed -i 's/^#if QT_CONFIG(directwrite)$/#if QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/' \
    "$WERK/qtbase/src/printsupport/platform/windows/qprintengine_win.cpp"
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$WERK/qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp"
  # The host tools (moc, rcc, uic, syncqt's helpers) are Debian's own Qt 6.4.2.
  cmake -S "$WERK/qtbase" -B "$WERK/qtbase-bouw" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$BRON/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$QT" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_ssl=OFF \
    -DFEATURE_networklistmanager=OFF -DFEATURE_tuiotouch=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_opengl_dynamic=ON -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=OFF \
    -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
    -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_gif=ON -DFEATURE_jpeg=ON -DFEATURE_ico=OFF
  nice -n "${ZORVAK_NICE:-10}" cmake --build "$WERK/qtbase-bouw" -j "$JOBS"
  cmake --install "$WERK/qtbase-bouw"
  # Qt's Dutch translation where Qt looks for it, as in Debian's own Qt.
  mkdir -p "$QT/translations"
  cp /usr/share/qt6/translations/qtbase_nl.qm "$QT/translations/"
  # The compiler's run-time DLLs, which every Qt DLL needs, beside them.
  for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$QT/bin/"
  done
}

# The codes on numbered cards: zint's library only (no Qt, no PNG, none of its programs), linked
# into the programs statically, so no DLL of its own goes beside them. Its licence goes with it.
bouw_zint() {
  debian_bron zint "$WERK/zint"
  cmake -S "$WERK/zint" -B "$WERK/zint-bouw" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$BRON/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DZINT_STATIC=ON -DZINT_USE_PNG=OFF -DZINT_USE_QT=OFF >/dev/null
  nice -n "${ZORVAK_NICE:-10}" cmake --build "$WERK/zint-bouw" -j "$JOBS" --target zint-static
  mkdir -p "$QT/include" "$QT/lib" "$QT/share/zint"
  cp "$WERK/zint/backend/zint.h" "$QT/include/"
  cp "$WERK/zint-bouw/backend/libzint-static.a" "$QT/lib/"
  cp "$WERK/zint/LICENSE" "$QT/share/zint/LICENSE"
}

# cpp-httplib, which serves the board on the network: Debian builds it as a library for Linux,
# but its source is one header that works as it is (on Winsock under Windows). That header,
# beside Qt's, and its licence.
bouw_httplib() {
  debian_bron cpp-httplib "$WERK/httplib"
  mkdir -p "$QT/include" "$QT/share/cpp-httplib"
  cp "$WERK/httplib/httplib.h" "$QT/include/httplib.h"
  cp "$WERK/httplib/LICENSE" "$QT/share/cpp-httplib/LICENSE"
}

benodigd dpkg-dev cmake ninja-build perl tcl make g++-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools \
  qt6-translations-l10n
bronnen_aanzetten
mkdir -p "$QT" "$WERK"
for o in "${ONDERDELEN[@]}"; do
  klaar "$o" && continue
  start=$(date +%s)
  "bouw_${o%%-*}"
  echo "$o: $(( $(date +%s) - start )) s" >> "$QT/bouwtijden.txt"
  date -u +%FT%TZ > "$QT/.klaar-$o"
done
rm -rf "$WERK"
echo "Qt voor Windows staat klaar in $QT"
