# compare lists what the window lists, with the same pairs and the same
# category filter file; export writes twins once and never over a Palm file.
. "$LIB"
demo
printf '#\r\nAnna|Contacts|Business\r\n' >palm/MirrinCategoriestoExclude.cfg
"$M" compare --config palm/Mirrin.cfg --kind Contacts --quiet || echo "exit $?"
script <<'END'
kind Contacts
show
END
"$M" compare --json --kind contacts --left palm/AnnaP --right palm/BenT --quiet | python3 -c '
import json, sys
d = json.load(sys.stdin)
print(d["users"], d["totals"])
for r in d["left"]: print(r["text"], r["pair"], r.get("differs"))'

echo "== --set, exit codes"
# The demo's dates follow the day it was made: rows are shown without them.
"$M" compare --config palm/Mirrin.cfg --kind Dates --set 'FilterUser2=F*' --quiet | grep -v '^#' |
  sed -E 's/\([0-9]{6}\)//; s/ - [0-9]{2}-[A-Za-z]{3}-[0-9]{2}//'
"$M" compare --config palm/Mirrin.cfg --kind Contacts --set NoSuchKey=1 || echo "exit $?"
cp -r palm/AnnaP AnnaCopy
"$M" compare --kind Memos --left palm/AnnaP --right AnnaCopy --quiet >/dev/null && echo "the same: exit 0"
"$M" compare --kind Memos --left palm/AnnaP --right nowhere || echo "exit $?"
"$M" compare --kind Letters --left palm/AnnaP --right AnnaCopy 2>/dev/null || echo "exit $?"
ls palm

echo "== export"
touch marker
TZ=UTC "$M" export --kind Contacts --format vcf palm/AnnaP --both palm/BenT -o both.vcf
grep -a '^FN' both.vcf
TZ=UTC "$M" export --kind Dates --format ics palm/AnnaP --both palm/BenT | grep -a '^TZID\|^SUMMARY' | sort | uniq -c
"$M" export --kind Memos --format csv palm/AnnaP --both palm/BenT --bom | head -c 12 | od -c | head -1
for target in palm/BenT/address/address.dat palm/BenT/notes.vcf palm/AnnaP/../AnnaP/x.vcf address.dat.preMirrin22 \
  Mirrin_backup_todo.dat mirrin_prerestore_address.dat; do
  "$M" export --kind Contacts --format vcf palm/AnnaP --both palm/BenT -o $target || echo "exit $?"
done
"$M" export --kind Dates --format vcf palm/AnnaP || echo "exit $?"
find palm -newer marker
