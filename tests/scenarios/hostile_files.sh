# A datebook that is there but no readable regular file is an error naming
# the file and the reason: never "missing" (an empty calendar), never a hang.
# Run as nobody, since root reads through mode 000.
. "$LIB"
need_nobody
for name in folder fifo device loop closed; do
  mkdir -p $name/datebook
  f=$name/datebook/datebook.dat
  case $name in
    folder) mkdir $f ;;
    fifo) mkfifo $f ;;
    device) ln -s /dev/zero $f ;;
    loop) ln -s datebook.dat $f ;;
    closed) chmod 0 $name/datebook ;;
  esac
  as_nobody timeout 20 "$M" export --kind Dates --format ics $name 2>&1 || echo "exit $?"
done
