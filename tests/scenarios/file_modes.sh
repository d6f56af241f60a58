# Saving keeps what each file was: its mode, owner and group, a symlink
# stays a link to the file it names, and a read-only data file is not
# written. Run as "nobody", since root passes every permission check.
. "$LIB"
need_nobody
demo
mkdir elsewhere
mv palm/BenT/address/address.dat elsewhere/ben-address.dat
ln -s ../../../elsewhere/ben-address.dat palm/BenT/address/address.dat
# Left behind by a save that was killed.
echo partial >palm/AnnaP/address/address.dat.mirrin-k1ll3d
chown -R nobody:nogroup palm elsewhere
chmod 0640 palm/AnnaP/address/address.dat elsewhere/ben-address.dat
chmod 0600 palm/Mirrin.cfg
chmod 0444 palm/BenT/memopad/memopad.dat

as_nobody "$M" script --config palm/Mirrin.cfg <<'END'
dialog users ok
kind Contacts
select left Garage
press Add ---->
kind Memos
select left Recipe
press Add ---->
save
answer No
exit
END
modes palm/Mirrin.cfg palm/BenT/address/* elsewhere/* palm/BenT/memopad/*
readlink palm/BenT/address/address.dat
records elsewhere/ben-address.dat Company
records palm/BenT/memopad/memopad.dat Text

echo "== root saves a file that belongs to nobody"
"$M" script --config palm/Mirrin.cfg <<'END'
kind Contacts
select right Hotel
press <---- Add
save
END
modes palm/AnnaP/address/*
records palm/AnnaP/address/address.dat Company
