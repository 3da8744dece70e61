#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, only those missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n libqt6svg6
  libfreetype-dev libharfbuzz-dev libfontconfig-dev
  zlib1g-dev libjpeg62-turbo-dev libpng-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core
  python3-olefile
  fpc
  poppler-utils
  libcups2-dev
  zbar-tools
  xvfb xauth xdotool xclip imagemagick x11-utils
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These Debian packages are missing; install them as root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
