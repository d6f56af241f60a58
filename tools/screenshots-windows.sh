#!/usr/bin/env bash
# Draws the windows of the cross-built mirrin.exe on the demo data under
# Wine and a virtual X server into PNG files: main.png (entries view, a
# paired row selected with its differences marked), categories.png,
# configure.png, configusers.png, splash.png, about.png and saved.png (the
# status line after a transfer and Save).
# usage: tools/screenshots-windows.sh [OUTDIR]   (default build/screenshots/windows)
# MIRRIN_WINDOWS_BUILD names an existing build folder configured with
# cmake/mingw-w64.cmake and MIRRIN_GUI=ON instead of build/windows-release.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots/windows}"
build="${MIRRIN_WINDOWS_BUILD:-}"
for tool in x86_64-w64-mingw32-g++-posix wine xvfb-run; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshots-windows.sh: $tool is missing (tools/setup.sh installs it for the Windows build)" >&2
    exit 1
  fi
done
if [ -z "$build" ]; then
  build=build/windows-release
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DMIRRIN_TESTS=OFF -DMIRRIN_GUI=ON >/dev/null
fi
cmake --build "$build" -j2 --target mirrin mirrin-cli >/dev/null

export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
# A fresh demo each time, so the pictures show the same records; written by
# the Windows tool, so the configuration holds Windows paths.
demo="$PWD/build/screenshot-demo-windows"
rm -rf "$demo" && mkdir -p "$demo" "$out"
out="$(cd "$out" && pwd)"
wine "$build/mirrin-cli.exe" demo "$(winepath -w "$demo")" >/dev/null
# In a Wine desktop window, which draws the title bars itself (there is no
# window manager on the virtual X server).
MIRRIN_HOME="$(winepath -w "$demo")" xvfb-run -a -s "-screen 0 1280x1024x24" \
  wine explorer /desktop=Mirrin,1024x768 "$build/mirrin.exe" --screenshot "$(winepath -w "$out")"
# The program writes BMP files; PNG needs nothing beyond Python's zlib.
python3 - "$out" <<'PY'
import pathlib, struct, sys, zlib
for bmp in sorted(pathlib.Path(sys.argv[1]).glob("*.bmp")):
    data = bmp.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        sys.exit(f"{bmp}: {bits} bits per pixel, expected 24")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y  # BMP rows run bottom-up
        row = data[offset + source * stride: offset + source * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR -> RGB
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
    bmp.with_suffix(".png").write_bytes(png)
    bmp.unlink()
PY
rm -rf "$demo"
ls -1 "$out"/*.png
