#!/usr/bin/env bash
# Plants the faults listed in scripts/fouten.txt one at a time, rebuilds, runs the test suite and
# reports for each fault whether the suite catches it, and with which tests. A line of the list
# is a source file, a tab and a sed expression; lines starting with # are explanations. A line
# whose file is missing, or whose expression changes nothing, is reported as NOT PLANTED and
# counts as neither caught nor missed.
# The sources are changed while it runs (each file is put back), so run it in a checkout of its
# own, after a full build:  scripts/fouten.sh [build folder [list]]
set -uo pipefail
cd "$(dirname "$0")/.."
bouw=${1:-build}
lijst=${2:-scripts/fouten.txt}
gevangen=0
gemist=0
niet=0
# Stopped half-way, the planted file is put back all the same.
trap '[[ -f "${bestand:-}.origineel" ]] && mv "$bestand.origineel" "$bestand" && touch "$bestand"; exit 130' INT TERM
# The tests whose sources include the header of a source file, as a ctest pattern.
naasteTests() {
    local kop=${1#src/}
    kop=${kop%.cpp}
    # veiligbestand_posix.cpp and kaartregister_openen.cpp have their header without the _part.
    local namen
    namen=$(grep -rlE "#include \"(${kop}|${kop%_*})\.h\"" tests --include='tst_*.cpp' |
        sed 's#.*/##; s#\.cpp$##' | sort -u | paste -sd'|')
    [[ -n "$namen" ]] && echo "^($namen)\$"
}
while IFS=$'\t' read -r bestand expressie; do
    [[ -z "$bestand" || "$bestand" == \#* ]] && continue
    # Nothing is made or changed for a file that is not there (a stale line of the list).
    if [[ ! -f "$bestand" || -L "$bestand" ]]; then
        echo "NOT PLANTED  $bestand  (no such file)"
        niet=$((niet + 1))
        continue
    fi
    cp -p "$bestand" "$bestand.origineel"
    sed -i -e "$expressie" "$bestand"
    if cmp -s "$bestand" "$bestand.origineel"; then
        echo "NOT PLANTED  $bestand  $expressie"
        niet=$((niet + 1))
        mv "$bestand.origineel" "$bestand"
        continue
    elif ! cmake --build "$bouw" -j2 >/dev/null 2>&1; then
        echo "NO BUILD     $bestand  $expressie"
    # A test that fails once and passes the second time did not catch the fault: a busy machine
    # can upset a test that waits on time.
    # The tests that include the planted file's header run first; only when they pass does the
    # whole suite run. The first test that fails is enough.
    elif uitvoer=$(eerst=$(naasteTests "$bestand")
        { [[ -z "$eerst" ]] || ctest --test-dir "$bouw" -j2 --timeout 120 --repeat until-pass:2 -R "$eerst" 2>&1; } &&
            ctest --test-dir "$bouw" -j2 --timeout 120 --repeat until-pass:2 --stop-on-failure 2>&1); then
        echo "MISSED       $bestand  $expressie"
        gemist=$((gemist + 1))
    else
        echo "CAUGHT       $bestand  $expressie  by" $(grep -o '[0-9]* - tst_[a-z_]*' <<<"$uitvoer" | cut -d' ' -f3)
        gevangen=$((gevangen + 1))
    fi
    mv "$bestand.origineel" "$bestand"
    touch "$bestand" # newer than the faulty build, so the next build takes it again
done <"$lijst"
cmake --build "$bouw" -j2 >/dev/null 2>&1
echo "caught $gevangen, missed $gemist, not planted $niet"
[[ $gemist -eq 0 && $niet -eq 0 ]]
