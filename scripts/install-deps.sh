#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Lexorin need, and only those missing.
set -euo pipefail

packages=(
  # build
  g++ cmake make pkg-config
  qt6-base-dev libqt6xml6 libgl-dev
  libsqlite3-dev libsimpleini-dev libicu-dev
  libsdl2-mixer-dev libfluidsynth-dev libespeak-ng-dev libcurl4-openssl-dev
  libgtest-dev libbenchmark-dev
  # run: a General MIDI sound font for the background music, a CJK font for the Chinese texts
  timgm6mb-soundfont fonts-wqy-microhei fonts-dejavu-core espeak-ng-data
  # run: Qt's own dialogs in Chinese
  qt6-translations-l10n
  # tools: sox makes the effect sounds during the build; a test lists a bank's tables with sqlite3
  sox sqlite3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
