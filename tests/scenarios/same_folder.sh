# One user folder is never both users': the users dialog, start-up, compare
# and export all refuse it, and nothing is written.
. "$LIB"
demo
echo "== compare writes nothing into the Palm folders"
"$M" compare --kind Memos --left palm/AnnaP --right palm/BenT >/dev/null || echo "exit $?"
ls palm/*/datebook
echo "== Configure Users: User2 picked as Anna too"
script <<'END'
user right Anna
kind Contacts
show
END
grep '^PalmUser2=\|^UserDir2=' palm/Mirrin.cfg

echo "== start-up with UserDir2 equal to UserDir1"
sed -i 's|^UserDir2=.*|UserDir2='"$T"'/palm/AnnaP/|' palm/Mirrin.cfg
script <<'END'
END
echo "== compare and export"
"$M" compare --config palm/Mirrin.cfg --kind Contacts || echo "exit $?"
"$M" compare --kind Memos --left palm/AnnaP --right palm/AnnaP/../AnnaP || echo "exit $?"
"$M" export --kind Memos --format csv palm/AnnaP --both palm/AnnaP/ || echo "exit $?"
ls palm/AnnaP/*
