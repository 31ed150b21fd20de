#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need; only what is missing.
# With everything present it touches neither apt nor the network, so it can run offline and as
# any user. It installs as root, or through sudo; where neither is possible it names the
# packages to install by hand.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
  libqt6sql6-odbc libqt6sql6-sqlite libgl-dev
  libzip-dev libemf2svg-dev libhunspell-dev hunspell-en-us hunspell-de-de
  libcurl4-openssl-dev unixodbc-dev odbcinst libsqliteodbc
  fonts-liberation2
  qpdf poppler-utils xvfb xauth imagemagick socat emf2svg
  python3 python3-pyftpdlib
  fp-utils xchm xdg-utils
  qt6-translations-l10n
  libreoffice-writer-nogui
)

# The packages of the list that are not installed. Only real package names are listed: a
# name that another package merely provides is never reported installed, and would make
# every run install again.
missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$p"
    fi
  done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

by_hand() {
  echo "Install them by hand, then run this again:" >&2
  echo "  sudo apt-get update && sudo apt-get install ${missing[*]}" >&2
  exit 1
}

echo "Missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "Installing needs root, and there is no sudo here." >&2
  by_hand
fi

if ! "${SUDO[@]}" apt-get update -qq \
   || ! "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "apt-get could not install the missing packages." >&2
  by_hand
fi

mapfile -t missing < <(missing_packages)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Still not installed after apt-get: ${missing[*]}" >&2
  by_hand
fi
