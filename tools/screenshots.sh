#!/usr/bin/env bash
# Draws the windows of `mirrin` on the demo data into PNG files, under a
# virtual X server: main.png (entries view, a row selected),
# categories.png, configure.png, configusers.png and splash.png.
# usage: tools/screenshots.sh [OUTDIR]       (default build/screenshots)
# MIRRIN_BUILD names an existing build folder configured with MIRRIN_GUI=ON
# to use instead of build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
build="${MIRRIN_BUILD:-}"

if [ -z "$build" ]; then
  build=build/release
  MIRRIN_GUI=ON tools/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRRIN_TESTS=OFF -DMIRRIN_GUI=ON >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target mirrin mirrin-cli >/dev/null
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots.sh: xvfb-run is missing (Debian package xvfb)" >&2
  exit 1
fi

# A fresh demo each time, so the pictures show the same records.
demo="$PWD/build/screenshot-demo"
rm -rf "$demo"
"$build/mirrin-cli" demo "$demo" >/dev/null
mkdir -p "$out"
out="$(cd "$out" && pwd)"
# A sanitizer build would report the X and D-Bus libraries' own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
MIRRIN_HOME="$demo" xvfb-run -a -s "-screen 0 1280x1024x24" "$build/mirrin" --screenshot "$out"
ls -1 "$out"/*.png
