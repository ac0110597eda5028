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
wait_until 10 bash -c "[ \$(tray_icon_count $mode) -ge 1 ]" ||
    fail "the icon did not appear in the $mode notification area that started after the gadget"
screenshot "$mode-icon"
if [ "$mode" = sni ]; then
    item=$(sni_items | head -n 1)
    labels=$(sni_menu_labels "$item" | tr '\n' '|')
    [ "$labels" = "メモリ開放|設定|位置の設定|クリーンアップ|システム|終了|" ] || fail "the exported menu holds '$labels'"
    open_sni_menu
else
    open_tray_menu
fi
count=$(tray_icon_count "$mode")
[ "$count" = 1 ] || fail "the notification area shows $count icons of the gadget"
screenshot "$mode-menu"

# Up from the top of a fresh menu lands on its last entry, "終了".
xdotool key --delay 150 Up Return
status=$(wait_exit "$GADGET_PID" 10) || fail "the gadget still runs after 終了 in the late notification area's menu"
[ "$status" = 0 ] || fail "終了 ended the program with status $status"
echo "PASS $TEST_NAME $mode"
