#!/usr/bin/env bash
# The panel ends and starts again while the gadget runs (a crash, a change
# of its settings, a new version): the icon shows in the new panel, exactly
# one, and its menu works: "終了" ends the program. Run with an XEmbed
# notification area (trayer, "xembed") and with a StatusNotifierItem panel
# that holds its own watcher, as waybar does ("sni"); both on a desktop with
# a session bus.
source "$(dirname "$0")/lib.sh"
mode=${3:-xembed}

start_desktop 1024x768 bus
if [ "$mode" = sni ]; then start_sni_tray; else start_tray; fi
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
wait_until 10 bash -c "[ \$(tray_icon_count $mode) = 1 ]" ||
    fail "the icon did not appear in the $mode notification area"

if [ "$mode" = sni ]; then stop_sni_tray; else stop_tray; fi
kill -0 "$GADGET_PID" || fail "the gadget ended with its notification area"
if [ "$mode" = sni ]; then start_sni_tray; else start_tray; fi
expect_icon_and_quit "$mode" "restarted $mode notification area"
echo "PASS $TEST_NAME $mode"
