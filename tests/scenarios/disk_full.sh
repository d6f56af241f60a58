# A save that fails midway, here at the file size limit, leaves every data
# file whole (old or new), names the file and the reason, and keeps the
# changes in memory.
. "$LIB"
demo
cp palm/BenT/address/address.dat before.dat
# Room for the backup of Ben's contacts, not for the grown file.
limit=$(($(stat -c %s before.dat) + 1))
(
  trap '' XFSZ
  prlimit --fsize=$limit "$M" script --config palm/Mirrin.cfg <<'END'
kind Memos
select right Packing
press <---- Add
kind Contacts
select left Garage
press Add ---->
save
show
answer Cancel
exit
END
)
cmp before.dat palm/BenT/address/address.dat && echo "Ben's address.dat is as it was"
cmp before.dat palm/BenT/address/Mirrin_backup_address.dat && echo "and so is its backup"
records palm/AnnaP/memopad/memopad.dat Text
ls -a palm/BenT/address
