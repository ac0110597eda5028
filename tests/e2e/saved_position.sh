#!/usr/bin/env bash
# A saved record places the window where it says; ending the gadget leaves
# the file byte for byte.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
user=$(id -un)
mkdir -p "$WORK/home/QvrnData"
file="$WORK/home/QvrnData/$user.qvn"
# WTop 1500 and WLeft 3000 twips are 100 and 200 pixels; a tail behind the
# record must survive.
write_record "$file" 0 1500 6 3000 224 on 230 on
printf 'tail bytes' >>"$file"
cp "$file" "$WORK/before.qvn"

start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+200+100"
screenshot placed

kill -TERM "$GADGET_PID"
status=$(wait_exit "$GADGET_PID" 10) || fail "still running 10 s after SIGTERM"
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
cmp -s "$file" "$WORK/before.qvn" || fail "the settings file changed"
echo "PASS $TEST_NAME"
