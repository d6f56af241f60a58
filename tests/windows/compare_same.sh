#!/usr/bin/env bash
# usage: compare_same.sh LINUX_CLI WINDOWS_CLI
# The demo users, written once, compared by the Linux mirrin-cli and by the
# Windows one under Wine, whose configuration names the same folders the
# Windows way (Z:\...): `compare` must list the same rows for every kind.
# Windows ends lines with CR LF; they are compared without the CR.
set -uo pipefail
linux=$1
windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/windows"
"$linux" demo "$work/demo" >/dev/null || exit 1
demo_win=$(winepath -w "$work/demo")
while IFS= read -r line; do
  case "$line" in
    LogFilePath=* | PalmDir?=* | UserDir?=*)
      value=${line#*=}
      value=${demo_win}${value#"$work/demo"}
      line="${line%%=*}=${value//\//\\}"
      ;;
  esac
  printf '%s\r\n' "$line"
done <"$work/demo/Mirrin.cfg" >"$work/windows/Mirrin.cfg"
config=$(winepath -w "$work/windows/Mirrin.cfg")
status=0
for kind in Dates Contacts "To Dos" Memos; do
  "$linux" compare --config "$work/demo/Mirrin.cfg" --kind "$kind" >"$work/linux.txt"
  code=$?
  wine "$windows" compare --config "$config" --kind "$kind" | tr -d '\r' >"$work/windows.txt"
  wcode=${PIPESTATUS[0]}
  # 1: rows are listed, which the demo is made to have
  if [ "$code" -ne 1 ] || [ "$wcode" -ne 1 ]; then
    echo "$kind: exit codes $code (Linux) and $wcode (Windows), not 1"
    status=1
  fi
  diff -u "$work/linux.txt" "$work/windows.txt" || status=1
  echo "$kind: $(grep -c $'^[LR]\t' "$work/linux.txt") rows from Linux, $(grep -c $'^[LR]\t' "$work/windows.txt") from Windows"
done
exit $status
