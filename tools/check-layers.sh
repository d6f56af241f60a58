#!/usr/bin/env bash
# Which source folder may include which. The build enforces the same table
# (each library exports only its own folder); this says it in one place and
# names the offending line. Run from anywhere; exit 1 on a breach.
set -euo pipefail
cd "$(dirname "$0")/../src"
declare -A may=(
  [palmdata]=""
  [platform]="palmdata"
  [forms]="palmdata"
  [sysplatform]="palmdata"
  [startup]="palmdata platform"
  [mainwindow]="palmdata platform forms startup"
  [transfer]="palmdata platform forms startup mainwindow"
  [save]="palmdata platform forms startup mainwindow"
  [export]="palmdata platform forms startup mainwindow sysplatform"
  [ui]="palmdata platform forms startup mainwindow transfer save sysplatform"
  [ui/qt]="palmdata platform forms startup mainwindow transfer save sysplatform ui"
  [ui/win32]="palmdata platform forms startup mainwindow transfer save sysplatform ui"
  [app/cli]="palmdata platform forms startup mainwindow transfer save sysplatform ui export"
  [app]="palmdata platform forms startup mainwindow transfer save sysplatform ui ui/qt ui/win32 export app/cli"
)
bad=0
for folder in "${!may[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    while IFS=: read -r line target; do
      [[ $target == */* ]] || continue  # generated beside the build (moc output)
      used=${target%/*}
      [ "$used" = "$folder" ] && continue
      case " ${may[$folder]} " in *" $used "*) continue ;; esac
      echo "src/$file:$line: $folder may not include $target" >&2
      bad=1
    done < <(grep -n '^#include "' "$file" | sed 's/^\([0-9]*\):#include "\([^"]*\)".*/\1:\2/')
  done
done
for folder in */ ui/*/ app/*/; do
  folder=${folder%/}
  [ -n "${may[$folder]+set}" ] || { echo "src/$folder: not in the layer table" >&2; bad=1; }
done
exit $bad
