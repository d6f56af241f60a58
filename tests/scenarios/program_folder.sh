# A program folder that cannot be written (no log, no temporary copies)
# does not keep the data files from being saved; the log failure is told
# once, naming the log file and the reason.
. "$LIB"
need_nobody
"$M" demo palm --program prog >/dev/null
chown -R nobody:nogroup palm
as_nobody "$M" script --config prog/Mirrin.cfg <<'END'
kind Contacts
select left Garage
press Add ---->
kind Memos
select right Packing
press <---- Add
save
show
exit
END
ls prog
records palm/BenT/address/address.dat Company
records palm/AnnaP/memopad/memopad.dat Text
find . -name '*.tmp'
