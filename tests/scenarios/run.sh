#!/usr/bin/env bash
# Runs one scenario in a fresh temporary folder and compares what it prints
# with the expected output beside it (SCENARIO.out); the folder's path is
# printed as $T. UPDATE=1 rewrites the expected output instead.
# usage: run.sh SCENARIO.sh MIRRIN_CLI
set -u
scenario=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
expected=${scenario%.sh}.out
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
# Readable by the unprivileged user some scenarios switch to.
chmod 755 "$T"
export T M=$(realpath "$2") LIB=$(dirname "$scenario")/lib.sh
actual=$(cd "$T" && bash -e "$scenario" 2>&1)
rc=$?
if [ $rc -eq 77 ]; then
  printf '%s\n' "$actual"
  exit 77
fi
actual=${actual//$T/\$T}
# The log is named by the day.
actual=$(printf '%s\n' "$actual" | sed 's/Mirrin[0-9]\{8\}\.log/MirrinYYYYMMDD.log/g')
if [ "${UPDATE:-}" = 1 ]; then
  printf '%s\n' "$actual" >"$expected"
fi
diff -u "$expected" <(printf '%s\n' "$actual") || exit 1
[ $rc -eq 0 ] || { echo "the scenario stopped with exit code $rc"; exit 1; }
