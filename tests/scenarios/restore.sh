# Restore puts the backup in place and reads it back, so a later save keeps
# the restored records; it also works when the data file is missing, and it
# is refused while Palm Desktop runs.
. "$LIB"
demo
script <<'END'
kind Contacts
select left Garage
press Add ---->
save
window Palm Desktop
restore right Contacts
window
answer Yes
restore right Contacts
show
select left Smith
press Delete ---->
select right Hotel
press Delete ---->
save
show
END
records palm/BenT/address/address.dat Status Company LastName
records palm/BenT/address/Mirrin_preRestore_address.dat Status Company LastName

echo "== Ben's memo file is lost; its backup is put in its place"
script <<'END'
kind Memos
select right Packing
press Delete ---->
save
END
cp palm/BenT/memopad/Mirrin_backup_memopad.dat backup.dat
rm palm/BenT/memopad/memopad.dat
script <<'END'
kind Memos
answer Yes
restore right Memos
show
END
cmp palm/BenT/memopad/memopad.dat backup.dat && echo "memopad.dat is the backup"
ls palm/BenT/memopad

echo "== each item restores its own kind (Anna's backups are Ben's files here)"
kinds="datebook/datebook address/address todo/todo memopad/memopad"
for k in $kinds; do cp palm/BenT/$k.dat palm/AnnaP/${k%/*}/Mirrin_backup_${k#*/}.dat; done
script <<'END'
answer Yes
restore left Dates
answer Yes
restore left Contacts
answer Yes
restore left To Dos
answer Yes
restore left Memos
END
for k in $kinds; do cmp palm/BenT/$k.dat palm/AnnaP/$k.dat && echo "$k restored"; done

echo "== a missing or unreadable backup, or a failed copy: told, nothing changes"
rm palm/AnnaP/todo/Mirrin_backup_todo.dat palm/AnnaP/*/Mirrin_preRestore_*
printf '\x00\x01\x42\x44\x05' >palm/AnnaP/datebook/Mirrin_backup_datebook.dat
mkdir palm/AnnaP/address/Mirrin_preRestore_address.dat
find palm/AnnaP -type f | sort | xargs md5sum >before.txt
script <<'END'
answer Yes
restore left Dates
answer Yes
restore left Contacts
restore left To Dos
END
find palm/AnnaP -type f | sort | xargs md5sum | diff before.txt - && echo "no file changed"
