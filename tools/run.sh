#!/usr/bin/env bash
# Builds Mirrin and runs it on the bundled demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRRIN_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
for f in demo/*.dat; do
  echo "== $f"
  "$build/mirrin-cli" dump "$f"
done
