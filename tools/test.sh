#!/usr/bin/env bash
# Builds everything with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# The Qt window is built and tested too (offscreen) unless MIRRIN_GUI=OFF.
export MIRRIN_GUI="${MIRRIN_GUI:-ON}"
# The Windows stage (cross build, tests under Wine) runs unless MIRRIN_WINDOWS=OFF.
export MIRRIN_WINDOWS="${MIRRIN_WINDOWS:-ON}"
tools/setup.sh
# Which folder may include which, before the build reports it less plainly.
tools/check-layers.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRRIN_WERROR=ON -DMIRRIN_SANITIZE=ON \
  -DMIRRIN_GUI="$MIRRIN_GUI" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [ "$MIRRIN_WINDOWS" = "ON" ]; then
  tools/test-windows.sh "$build/mirrin-cli"
fi
# Tests should stay a quarter to a third of the code: print the measure.
# Sample data and expected outputs are not counted (tests/data).
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name '*.txt' -o -name '*.script' \) \
  -not -path 'tests/data/*' -print0 | xargs -0 cat | grep -cv '^\s*$'; }
src_lines=$(count src)
test_lines=$(count tests)
echo "lines: tests ${test_lines}, src ${src_lines}, ratio $(awk -v t="$test_lines" -v s="$src_lines" 'BEGIN{printf "%.2f", t/s}')"
