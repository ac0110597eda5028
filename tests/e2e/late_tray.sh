#!/usr/bin/env bash
# At login the programs started with the session race the panel. The gadget
# starts on a desktop with a session bus but no notification area yet and
# runs on; once a panel starts, its icon shows there, exactly one, and its
# menu works: "終了" ends the program. Run with an XEmbed notification area
# (trayer, "xembed") and with a StatusNotifierItem panel ("sni").
source "$(dirname "$0")/lib.sh"
mode=${3:-xembed}

start_desktop 1024x768 bus
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
# The icon waits for the first paint, or 200 ms after the window shows.
sleep 1
kill -0 "$GADGET_PID" || fail "the gadget ended without a notification area"

if [ "$mode" = sni ]; then
    start_sni_tray
else
    start_tray
fi
expect_icon_and_quit "$mode" "$mode notification area that started after the gadget"
echo "PASS $TEST_NAME $mode"
