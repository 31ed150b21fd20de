#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need; only what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6svg6-dev
  libqt6sql6-odbc libqt6sql6-sqlite libgl-dev
  libzip-dev libemf2svg-dev libhunspell-dev hunspell-en-us hunspell-de-de
  libcurl4-openssl-dev unixodbc-dev odbcinst libsqliteodbc
  fonts-liberation2
  qpdf poppler-utils xvfb xauth imagemagick socat emf2svg
  python3 python3-pyftpdlib
  libreoffice-writer-nogui
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
