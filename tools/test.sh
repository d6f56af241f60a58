#!/usr/bin/env bash
# Builds everything with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# The Qt window is built and tested too (offscreen) unless MIRRIN_GUI=OFF.
export MIRRIN_GUI="${MIRRIN_GUI:-ON}"
tools/setup.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRRIN_WERROR=ON -DMIRRIN_SANITIZE=ON \
  -DMIRRIN_GUI="$MIRRIN_GUI" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
