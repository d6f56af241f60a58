# The demo: a Palm directory with Anna (classic files), Ben (extended files)
# and an empty user, its configuration in the program folder, every file
# read back and rebuilt byte for byte; an existing folder is only replaced
# with --force.
"$M" demo palm --program prog --empty-user Carl
ls prog palm
"$M" users palm
for f in palm/*/*/*.dat; do
  echo "$f: $("$M" dump "$f" | grep -m3 '^Kind\|^IsExtended\|^RecordCount' | tr '\n' ' ')$("$M" roundtrip "$f")"
done
grep '^UserDir\|^PalmUser' prog/Mirrin.cfg

echo "== no --force"
echo mine >palm/users.dat
"$M" demo palm || echo "exit $?"
cat palm/users.dat
rm palm/users.dat
"$M" demo palm || echo "exit $?"
"$M" demo palm --force >/dev/null && "$M" users palm
"$M" demo || echo "exit $?"
