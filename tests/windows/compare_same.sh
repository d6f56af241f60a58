#!/usr/bin/env bash
# usage: compare_same.sh LINUX_CLI WINDOWS_CLI
# The demo users, written once, compared by the Linux mirrin-cli and by the
# Windows one under Wine through a configuration naming the same folders the
# Windows way (Z:\...): both list the same rows (CR LF ends aside) for every kind.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/windows"
"$1" demo "$work/demo" >/dev/null || exit 1
# Wine's drive Z: is the Linux root.
sed -E "/^(LogFilePath|PalmDir.|UserDir.)=/{s|=|=Z:|;s|/|\\\\|g}" "$work/demo/Mirrin.cfg" >"$work/windows/Mirrin.cfg"
status=0
for kind in Dates Contacts "To Dos" Memos; do
  "$1" compare --config "$work/demo/Mirrin.cfg" --kind "$kind" >"$work/linux.txt"
  codes="$? $(wine "$2" compare --config "Z:$work/windows/Mirrin.cfg" --kind "$kind" |
    tr -d '\r' >"$work/windows.txt"; echo "${PIPESTATUS[0]}")"
  # 1: rows are listed, which the demo is made to have
  [ "$codes" = "1 1" ] || { echo "$kind: exit codes $codes, not 1 1"; status=1; }
  diff -u "$work/linux.txt" "$work/windows.txt" || status=1
  echo "$kind: $(grep -c $'^[LR]\t' "$work/windows.txt") rows alike"
done
exit $status
