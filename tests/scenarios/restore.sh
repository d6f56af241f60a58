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
