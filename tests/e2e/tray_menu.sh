#!/usr/bin/env bash
# The gadget comes alive: within a second the readouts replace the
# placeholders, the icon sits in the notification area, a right click on it
# opens the menu with its six entries, and "終了" ends the program with
# status 0 and no icon left. Run with an XEmbed notification area (trayer,
# no session bus) and with a StatusNotifierItem panel ("sni"), which shows
# the menu the icon exports over D-Bus.
source "$(dirname "$0")/lib.sh"
mode=${3:-xembed}

start_desktop 1024x768 "$mode"
set_wallpaper
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
sleep 1

# The placeholder bars are full width; read figures leave the right end of
# the disk-activity and free-space bars empty (an idle disk, a disk with
# free space below 96 %).
settled_screenshot "$ARTIFACTS/$TEST_NAME-$mode-alive.png" 242x237+759+59
for y in 168 208; do
    [ "$(pixel $((759 + 215)) $((59 + y)) "$ARTIFACTS/$TEST_NAME-$mode-alive.png")" != "#C0C0C0" ] ||
        fail "the bar at y $y still has its placeholder width"
done

open_icon_menu "$mode"
screenshot "$mode-menu"

# Up from the top of a fresh menu lands on its last entry, "終了".
xdotool key --delay 150 Up Return
status=$(wait_exit "$GADGET_PID" 10) || fail "the gadget still runs after 終了"
[ "$status" = 0 ] || fail "終了 ended the program with status $status"
if [ "$mode" = sni ]; then
    wait_until 5 bash -c '[ -z "$(sni_items)" ]' || fail "the item is left registered"
else
    [ -z "$(tray_icon)" ] || fail "the icon is left in the notification area"
fi
echo "PASS $TEST_NAME $mode"
