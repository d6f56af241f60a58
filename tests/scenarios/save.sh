# Saving writes only the changed files, each after a backup of what it was,
# and keeps a pristine copy of every file it might touch; it is refused
# while Palm Desktop or HotSync runs; Exit asks, and only Yes saves.
. "$LIB"
demo
sums() { (cd palm && find AnnaP BenT -type f | sort | xargs md5sum); }
sums >before.txt
# A folder in the way of one pristine copy: told, and the save goes on.
mkdir palm/AnnaP/todo/todo.dat.preMirrin22
script <<'END'
save
kind Contacts
select left Garage
press Add ---->
window HotSync Progress
save
window
answer Cancel
exit
save
kind Memos
select right Packing
press <---- Add
answer No
exit
END
echo "== the files that changed or are new"
sums | diff before.txt - | awk '/^[<>]/ { print $1, $3 }' | sort -k2
cmp palm/BenT/address/Mirrin_backup_address.dat palm/BenT/address/address.dat.preMirrin22 && echo "backup and pristine copy are the old address.dat"
records palm/BenT/address/address.dat Status Company

echo "== Exit, Yes"
script <<'END'
kind Memos
select right Packing
press <---- Add
answer Yes
exit
END
records palm/AnnaP/memopad/memopad.dat Status Text
cmp palm/AnnaP/memopad/memopad.dat.preMirrin22 palm/AnnaP/memopad/Mirrin_backup_memopad.dat && echo "the first save's backup is the pristine copy"
grep -h 'finished' palm/Mirrin*.log | sed 's/^.* - //'

echo "== changes pending: the users dialog waits"
script <<'END'
kind Memos
select right Ideas
press Delete ---->
dialog users ok
answer No
exit
END

echo "== a file of an unknown version: no save at all, not even at Exit"
cp palm/BenT/todo/todo.dat todo.keep
printf '\x00\x07' | dd of=palm/BenT/todo/todo.dat conv=notrunc status=none
sums >before.txt
script <<'END'
kind Memos
select right Ideas
press Delete ---->
save
select left Recipe
press <---- Delete
exit
END
sums | diff before.txt - && echo "no file changed"

echo "== the custom kind: a pristine copy, no backup"
cp todo.keep palm/BenT/todo/todo.dat
echo 'Custom1=SplashID' >>palm/Mirrin.cfg
mkdir -p palm/AnnaP/SplashID palm/BenT/SplashID
printf 'Web,bank,ann,pw,,,,note\r\nMail,box,ann,pw2,,,,\r\n' >palm/AnnaP/SplashID/export.csv
printf 'Web,bank,ann,pw,,,,note\r\n' >palm/BenT/SplashID/export.csv
cp palm/BenT/SplashID/export.csv ben.csv
script <<'END'
kind SplashID
select left box
press Add ---->
save
END
ls palm/BenT/SplashID
cat -A palm/BenT/SplashID/export.csv
cmp ben.csv palm/BenT/SplashID/export.csv.preMirrin22 && echo "the pristine copy is the old file"
