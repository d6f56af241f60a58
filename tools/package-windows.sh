#!/usr/bin/env bash
# Builds the Windows programs (release, cross-compiled) and packs them for
# download: build/package/mirrin-VERSION-windows.zip and an installer,
# build/package/mirrin-VERSION-setup.exe (Start-menu entries, uninstaller).
# The zip and the installer hold mirrin-cli.exe, mirrin.exe when the build
# has the window, README.md and the user guide.
set -euo pipefail
cd "$(dirname "$0")/.."
MIRRIN_WINDOWS=ON tools/setup.sh
version=$(sed -n 's/^project(Mirrin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build=build/windows-release
out=build/package
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DMIRRIN_TESTS=OFF -DMIRRIN_GUI=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

stage="$out/mirrin-$version"
rm -rf "$stage"
mkdir -p "$stage"
for exe in mirrin-cli.exe mirrin.exe; do
  [ -f "$build/$exe" ] && x86_64-w64-mingw32-strip -o "$stage/$exe" "$build/$exe"
done
[ -f "$stage/mirrin.exe" ] || echo "no mirrin.exe in this build: packing the command line program alone"
# Windows editors want CR LF.
sed 's/$/\r/' README.md >"$stage/README.md"
sed 's/$/\r/' docs/user-guide.md >"$stage/user-guide.md"

zip="$PWD/$out/mirrin-$version-windows.zip"
rm -f "$zip"
(cd "$out" && zip -qr9 "$zip" "mirrin-$version")
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/$out/mirrin-$version-setup.exe" \
  packaging/mirrin.nsi
echo "$zip"
echo "$PWD/$out/mirrin-$version-setup.exe"
