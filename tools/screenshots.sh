#!/usr/bin/env bash
# Draws the windows of `mirrin` on the demo data into PNG files, under a
# virtual X server: main.png (entries view, a paired row selected with its
# differences marked), categories.png, configure.png, configusers.png,
# splash.png, dark.png (a dark palette), saved.png (the status bar after
# a transfer and Save) and scale2.png (QT_SCALE_FACTOR=2); and the native
# Windows window under Wine into OUTDIR/windows: main.png, categories.png,
# configure.png, configusers.png, splash.png, about.png and saved.png.
# usage: tools/screenshots.sh [OUTDIR]       (default build/screenshots)
# MIRRIN_BUILD names an existing build folder configured with MIRRIN_GUI=ON
# to use instead of build/release; MIRRIN_WINDOWS_BUILD one cross-built
# with cmake/mingw-w64.cmake and MIRRIN_GUI=ON instead of build/windows-release.
# MIRRIN_WINDOWS=OFF leaves the Windows pictures out.
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
# Twice the pixels on a screen twice as large: the same window, drawn sharp.
rm -rf "$demo" "$out/scale2" && mkdir -p "$out/scale2"
"$build/mirrin-cli" demo "$demo" >/dev/null
MIRRIN_HOME="$demo" QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24" "$build/mirrin" --screenshot "$out/scale2"
mv "$out/scale2/main.png" "$out/scale2.png"
rm -rf "$out/scale2"

if [ "${MIRRIN_WINDOWS:-ON}" != OFF ]; then
  tools/screenshots-windows.sh "$out/windows"
fi
ls -1 "$out"/*.png
