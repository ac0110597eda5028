#!/usr/bin/env bash
# tavlo.exe under Wine: "位置の設定" grows the window to uncover the position
# strip; dragging its handle moves the gadget; "決定" keeps the place in the
# settings file and closes the strip; the next start comes up there, and
# "元の位置に戻す" after a drag goes back to it.
#
# Usage: position_mode.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER
WINE_FOLDER=${3:?usage: position_mode.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

# Right-clicks the docked icon and chooses the menu's third entry,
# "位置の設定", from the keyboard, until the window has grown to $1. Under
# load Wine may hand the menu the keyboard a little after it shows and the
# keys go astray: then the menu is closed and opened again.
choose_position_mode() {
    wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"
    local x y attempt
    read -r x y <<<"$(window_centre "$(docked_icons | head -n 1)")"
    for attempt in 1 2 3; do
        xdotool mousemove "$x" "$y" click 3
        wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "the right click opened no menu"
        sleep 0.5
        xdotool key --delay 150 Down Down Down Return
        wait_until 10 bash -c "id=\$(gadget_window) && [ \"\$(window_geometry \$id)\" = '$1' ]" && return 0
        wait_until 5 bash -c 'xdotool key Escape; sleep 0.3; [ $(shown_windows | wc -l) -eq 1 ]'
    done
    fail "位置の設定 left the window at '$(window_geometry "$(gadget_window)" 2>/dev/null || echo none)', not '$1'"
}

# Drags the handle, whose centre is at window pixel (40, 260), by $3 $4
# pixels, from a window at $1 $2; one step on the way, as a hand moves.
drag_handle() {
    local x=$(($1 + 40)) y=$(($2 + 260))
    xdotool mousemove "$x" "$y" mousedown 1
    xdotool mousemove --sync $((x + 20)) $((y + 20))
    xdotool mousemove --sync $((x + $3)) $((y + $4))
    xdotool mouseup 1
}

start_on_wallpaper
expect_window_geometry "242x237+759+59"

# 4350 twips high with the strip: 290 pixels at 96 DPI.
choose_position_mode "242x290+759+59"
settled_screenshot "$ARTIFACTS/$TEST_NAME-strip.png" 242x290+759+59
# The strip shows its handle and its buttons' face, not only the key.
shot="$ARTIFACTS/$TEST_NAME-strip.png"
face=$(($(count_colour '#B6FCCC' 242x53+759+296 "$shot")))
((face > 1000)) || fail "only $face pixels of the buttons' face show in the strip"
tile=$(($(count_colour '#F0F0F0' 32x32+783+303 "$shot")))
((tile > 200)) || fail "only $tile pixels of the handle's tile show"

drag_handle 759 59 -300 100
expect_window_geometry "242x290+459+159"
screenshot dragged

# "決定": 41 x 25 pixels at (64, 247) in the window.
xdotool mousemove $((459 + 84)) $((159 + 259)) click 1
expect_window_geometry "242x237+459+159"
record=$(find "$WORK/start/QvrnData" -name '*.qvn' | head -n 1)
[ -n "$record" ] || fail "no settings file"
# Moved by (-300, +100) pixels from 11380 and 886.15 twips: WTop 2386.154 is
# cut to its six bytes, WLeft 6880 fills its eight with blanks.
wtop=$(head -c 6 "$record")
wleft=$(dd if="$record" bs=1 skip=6 count=8 status=none)
[ "$wtop" = "2386.1" ] || fail "WTop holds '$wtop'"
[ "$wleft" = "6880    " ] || fail "WLeft holds '$wleft'"

kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"

# The next start comes up at the kept place; a drag and "元の位置に戻す"
# (105 x 25 pixels at (112, 247)) go back to it.
start_wine_gadget "$WORK/start"
expect_window_geometry "242x237+459+159"
choose_position_mode "242x290+459+159"
drag_handle 459 159 150 -60
expect_window_geometry "242x290+609+99"
xdotool mousemove $((609 + 164)) $((99 + 259)) click 1
expect_window_geometry "242x237+459+159"
screenshot restored
[ "$(head -c 14 "$record")" = "2386.16880    " ] || fail "the record changed without 決定: '$(head -c 14 "$record")'"

kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"
echo "PASS $TEST_NAME"
