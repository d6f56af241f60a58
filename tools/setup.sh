#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev libxcb1-dev xvfb python3-icalendar python3-vobject python3-dateutil nlohmann-json3-dev desktop-file-utils)
if [ "${MIRRIN_GUI:-OFF}" = "ON" ]; then
  packages+=(qt6-base-dev)
fi
# The Windows stage of tools/test.sh and tools/package-windows.sh.
if [ "${MIRRIN_WINDOWS:-OFF}" = "ON" ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest nsis zip)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
