#!/usr/bin/env bash
# Without a notification area the gadget runs on, and its icon appears as
# soon as one starts.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768 without-tray
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
sleep 1
kill -0 "$GADGET_PID" || fail "the gadget ended without a notification area"

start_tray
wait_until 10 bash -c '[ -n "$(tray_icon)" ]' || fail "the icon did not appear in the late notification area"
screenshot icon
echo "PASS $TEST_NAME"
