#!/usr/bin/env bash
# Installs the Debian packages that are missing (build, run, test). Usage: pakketten.sh [extra packages...]
set -euo pipefail
nodig=(cmake ninja-build g++ qt6-base-dev libgl-dev libqt6sql6-sqlite qt6-translations-l10n
       qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher-espeak-ng
       fonts-liberation2 fonts-comic-neue poppler-utils libzint-dev zbar-tools libcpp-httplib-dev pkg-config
       chromium python3 "$@")
ontbreekt=()
for p in "${nodig[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || ontbreekt+=("$p")
done
if [ ${#ontbreekt[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installeren: ${ontbreekt[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${ontbreekt[@]}"
fi
