#!/usr/bin/env bash
# "設定" opens the settings dialog in the middle of the screen; "保存" writes
# the settings file and restarts the gadget with the icon added again, the
# dialog staying open; "閉じる" closes it and the gadget runs on.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
open_tray_menu
xdotool key --delay 150 Down Down Return  # the second entry, "設定"

dialog_open() {
    local id geometries=""
    for id in $(windows_of "$GADGET_PID"); do geometries+="$(window_geometry "$id") "; done
    [[ " $geometries" == *" 561x352+232+208 "* ]]
}
export -f dialog_open
export GADGET_PID
wait_until 10 dialog_open || fail "no settings dialog of 561 x 352 in the middle of the screen"
settled_screenshot "$ARTIFACTS/$TEST_NAME-open.png" 561x352+232+208

user=$(id -un)
file="$WORK/home/QvrnData/$user.qvn"
[ ! -s "$file" ] || fail "the settings file was written before 保存"
xdotool mousemove $((232 + 323)) $((208 + 329)) click 1  # 保存
wait_until 10 test -s "$file" || fail "保存 wrote no settings file"
[ "$(stat -c %s "$file")" = 322 ] || fail "the settings file is not one record"
[ "$(head -c 22 "$file" | tail -c 8)" = 12632256 ] || fail "AllClor is not the silver of the unset common colour"
expect_geometry "$GADGET_PID" "242x237+759+59"
wait_until 10 bash -c '[ -n "$(tray_icon)" ]' || fail "the icon did not come back after the restart"
dialog_open || fail "the dialog closed on 保存"
screenshot saved

xdotool mousemove $((232 + 503)) $((208 + 329)) click 1  # 閉じる
wait_until 5 bash -c '! dialog_open' || fail "閉じる left the dialog open"
kill -0 "$GADGET_PID" || fail "the gadget ended with the dialog"
echo "PASS $TEST_NAME"
