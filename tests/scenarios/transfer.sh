# The transfer buttons as the operator presses them, checked in the saved
# files: add several in list order with the source user's suffix, move,
# delete and archive, make private, and the categories view's add and delete.
. "$LIB"
demo
sed -i 's/^EnableMultiSelect=.*/EnableMultiSelect=Y/' palm/Mirrin.cfg
# The demo's dates follow the day it was made: rows are shown without them.
script <<'END' | sed -E 's/\([0-9]{6}\)//; s/ - [0-9]{2}-[A-Za-z]{3}-[0-9]{2}//'
kind Contacts
select left (Business)
press Add ---->
select right Hotel
press <---- Add
kind Dates
select right Car
press <---- Move
select left Lunch
press Add ---->
show
kind To Dos
select left Water
press <---- Delete
kind Memos
select right Packing
press Private ---->
show
view categories
kind Contacts
select left QuickList
press Add ---->
answer Cancel
select left Business
press <---- Delete
answer OK
select left Business
press <---- Delete
show
save
END
records palm/BenT/address/address.dat RecordId Status Category LastName Company
records palm/AnnaP/address/address.dat RecordId Status Category LastName Company
"$M" dump palm/BenT/address/address.dat | grep -A1 'LongName: "QuickList"'
records palm/AnnaP/datebook/datebook.dat Status Description
records palm/BenT/datebook/datebook.dat Status Description
records palm/BenT/memopad/memopad.dat Status Private

echo "== an archived delete"
sed -i 's/^ArchiveDeleted=.*/ArchiveDeleted=Y/' palm/Mirrin.cfg
script <<'END'
kind To Dos
select left Send
press <---- Delete
save
END
records palm/AnnaP/todo/todo.dat Status Description
