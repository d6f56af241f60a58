# A save that cannot write one user's datebook writes the other files, names
# the ones not written and keeps their changes: Exit with Yes stays, and
# once the folder is back the next save writes what was left.
. "$LIB"
demo
mkfifo commands
"$M" script --config palm/Mirrin.cfg <commands >out.txt 2>&1 &
exec 3>commands
# Waits until the running script has shown the lists N times (at most 20 s).
shown() {
  for _ in $(seq 400); do
    [ "$(grep -c '^RIGHT' out.txt)" -ge "$1" ] && return
    sleep 0.05
  done
  cat out.txt
  exit 1
}
cat >&3 <<'END'
kind Dates
select right Car
press <---- Add
select left Rent
press Add ---->
kind Memos
select right Packing
press <---- Add
select left Recipe
press Add ---->
show
END
shown 1
cp palm/BenT/memopad/memopad.dat ben-memos.dat
mv palm/BenT/datebook datebook.away
echo "not a folder" >palm/BenT/datebook
printf 'save\nanswer Yes\nexit\nshow\n' >&3
shown 2
cmp ben-memos.dat palm/BenT/memopad/memopad.dat && echo "Ben's memopad.dat is as it was"
"$M" dump palm/AnnaP/memopad/memopad.dat | grep -c 'Status: 1' | sed 's/^/memos added to Anna by the first save: /'
rm palm/BenT/datebook
mv datebook.away palm/BenT/datebook
printf 'save\nexit\n' >&3
exec 3>&-
wait
cat out.txt
for f in AnnaP/datebook/datebook.dat AnnaP/memopad/memopad.dat BenT/datebook/datebook.dat BenT/memopad/memopad.dat; do
  records palm/$f Status | grep -c 'Status=1' | sed "s|^|$f: added |"
done
