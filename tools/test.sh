#!/usr/bin/env bash
# Builds everything with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRRIN_WERROR=ON -DMIRRIN_SANITIZE=ON \
  -DMIRRIN_GUI="${MIRRIN_GUI:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
