#!/usr/bin/env bash
# Installs every Debian package Hexvane needs to build, test and run, when missing.
# Safe to run again: packages already present are left alone. Needs root for apt-get.
set -euo pipefail

packages=(
  # tool chain
  g++ cmake ninja-build pkg-config git
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # engine, providers, publishing, local cubes
  libsqlite3-dev libcurl4-openssl-dev libpugixml-dev libzip-dev libxlsxwriter-dev xz-utils
  # hexvane-server: HTTP, password hashes
  libmicrohttpd-dev libcrypt-dev
  # the desktop program
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6svg6 libgl1-mesa-dev
  adwaita-icon-theme fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
