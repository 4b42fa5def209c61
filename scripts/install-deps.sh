#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and the machine lacks.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev fonts-dejavu-core
  libcli11-dev nlohmann-json3-dev
  clang-14 libclang-rt-14-dev
  strace
  desktop-file-utils dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
  "${missing[@]}"
