# Values in Mirrin.cfg that do not convert are told once, at start-up,
# naming their lines; the rest applies, and OK in both dialogs writes the
# lines back as read (a value the program understood in its own spelling).
. "$LIB"
demo
sed -i 's/^IncludeMemo=Y/IncludeMemo=maybe/; s/^DaystoIgnore=0/DaystoIgnore=ten/; s/^ArchiveDeleted=N/ArchiveDeleted=Yes/' palm/Mirrin.cfg
script <<'END'
kind Contacts
show
dialog users ok
dialog configure ok
END
grep -n 'IncludeMemo\|DaystoIgnore\|ArchiveDeleted' palm/Mirrin.cfg
