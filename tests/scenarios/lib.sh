# Shared by the scenarios: $M is mirrin-cli, $T the scenario's folder.

# A Palm directory palm/ with Anna (classic files), Ben (extended files) and
# the users named as arguments (no files), and palm/Mirrin.cfg.
demo() {
  local extra=()
  for u in "$@"; do extra+=(--empty-user "$u"); done
  "$M" demo palm "${extra[@]}" >/dev/null
}

# Runs the script on standard input against palm/Mirrin.cfg; prints its exit code when not 0.
script() {
  "$M" script --config palm/Mirrin.cfg "$@" || echo "script exit $?"
}

# The records of a data file as: count, then one line per record with the
# fields named (dump's own reading of the file, independent of the window).
records() {
  local file=$1
  shift
  "$M" dump "$file" | awk -v want="$*" '
    BEGIN { n = split(want, w, " "); for (i = 1; i <= n; i++) keep[w[i]] = 1; line = "header" }
    /^RecordCount:/ { print }
    /^Record [0-9]+:/ { if (line != "") print line; line = $0; next }
    { key = $1; sub(/:$/, "", key); if (key in keep) { v = $0; sub(/^ *[A-Za-z0-9]+: /, "", v); line = line " " key "=" v } }
    END { if (line != "") print line }'
  "$M" roundtrip "$file" | sed "s|^|roundtrip $file: |"
}

# Runs a command as the unprivileged user "nobody", for checks that root
# would pass by its privileges. Skips the scenario when that is not possible.
as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
}
need_nobody() {
  if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
    echo "skipped: needs root and setpriv to run as nobody"
    exit 77
  fi
}

# mode owner:group name, for ls-like checks that do not depend on the date.
modes() {
  stat -c '%A %U:%G %n' "$@"
}
