#!/usr/bin/env bash
# The Windows stage: cross-builds the core, mirrin-cli.exe and the tests
# with MinGW-w64 and runs them under Wine, then checks that the Windows and
# the Linux mirrin-cli compare the demo users alike.
# usage: tools/test-windows.sh [LINUX_MIRRIN_CLI]   (default build/test/mirrin-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
build=build/windows
linux_cli=${1:-build/test/mirrin-cli}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Without debug information: the programs link and load far faster, and the
# stage only needs the tests' verdicts.
cmake --preset windows -DCMAKE_CXX_FLAGS_DEBUG=-O0 "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
  wineboot -i >/dev/null 2>&1 || true
  # No display is needed: windows (the running check's) live in Wine alone.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [ -x "$linux_cli" ]; then
  tests/windows/compare_same.sh "$linux_cli" "$build/mirrin-cli.exe"
else
  echo "no Linux mirrin-cli at $linux_cli: the Windows and Linux comparison is skipped"
fi
wineserver -k 2>/dev/null || true
echo "Windows stage: $(($(date +%s) - start)) s"
