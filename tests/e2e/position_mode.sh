#!/usr/bin/env bash
# "位置の設定" uncovers the strip; dragging the handle moves the gadget; "決定"
# keeps the place in the settings file and closes the strip.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"

open_tray_menu
xdotool key --delay 150 Down Down Down Return  # the third entry, "位置の設定"
expect_geometry "$GADGET_PID" "242x290+759+59"
settled_screenshot "$ARTIFACTS/$TEST_NAME-strip.png" 242x290+759+59

# The handle's centre is at (24 + 16, 244 + 16) in the window.
xdotool mousemove $((759 + 40)) $((59 + 260)) mousedown 1
xdotool mousemove --sync $((759 + 60)) $((59 + 280))
xdotool mousemove --sync $((759 + 40 - 300)) $((59 + 260 + 100))
xdotool mouseup 1
expect_geometry "$GADGET_PID" "242x290+459+159"
screenshot dragged

# "決定" at (64, 247) in the window, 41 x 25.
xdotool mousemove $((459 + 84)) $((159 + 259)) click 1
expect_geometry "$GADGET_PID" "242x237+459+159"
user=$(id -un)
record=$(head -c 14 "$WORK/home/QvrnData/$user.qvn")
# Moved by (-300, +100) pixels from 11380 and 886.15 twips: WTop 2386.154 is
# cut to its six bytes in the file.
[ "$record" = "2386.16880    " ] || fail "the record starts with '$record'"
echo "PASS $TEST_NAME"
