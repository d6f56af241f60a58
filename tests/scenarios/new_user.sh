# A user without data files gets none of the other user's records, and each
# kind whose file never existed is written with that kind's complete header.
. "$LIB"
demo Newbie

echo "== User2 becomes Newbie, who has no files at all"
script <<'END'
kind Contacts
user right Newbie
kind Contacts
show
select left Garage
press Add ---->
kind Memos
show
select left Shopping
press Add ---->
save
END
ls palm/Newbie
records palm/Newbie/address/address.dat VersionTag FieldCount RecordId Status Company
records palm/Newbie/memopad/memopad.dat VersionTag FieldCount Text
