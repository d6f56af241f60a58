#!/usr/bin/env bash
# Runs fuzz targets from their seeds, each for SECONDS (default 300), inputs
# up to 64 KB, and says which failed. The corpus grows in build/fuzz-corpus.
# usage: fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]
#   BUILD_DIR: configured with CXX=clang++ -DMIRRIN_FUZZ=ON and built
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"; seconds="${2:-300}"; shift $(( $# > 1 ? 2 : 1 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//'))
status=0
for t in "${targets[@]}"; do
  kind="${t#fuzz_}"
  corpus="build/fuzz-corpus/$kind"
  mkdir -p "$corpus" "build/fuzz-crashes/$kind"
  [ -d "fuzz/seeds/$kind" ] && cp -n fuzz/seeds/"$kind"/* "$corpus"/ 2>/dev/null || true
  if "$build/fuzz/$t" "$corpus" -max_len=65536 -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=20 \
      -print_final_stats=1 -artifact_prefix="build/fuzz-crashes/$kind/" > "build/fuzz-$kind.log" 2>&1; then
    echo "$t: clean ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz-$kind.log" | grep -o '[0-9]*$') runs)"
  else
    echo "$t: FAILED, see build/fuzz-$kind.log"; status=1
  fi
done
exit $status
