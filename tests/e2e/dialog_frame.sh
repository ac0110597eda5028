#!/usr/bin/env bash
# When a window manager frames the settings dialog (openbox, started here
# once the dialog is open, so the frame comes late), the dialog moves to stand
# in the middle of the screen by its outer frame, title bar included.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
start_gadget "$WORK/home"
open_tray_menu
xdotool key --delay 150 Down Down Return  # "設定"
dialog_id() {
    local id
    for id in $(windows_of "$GADGET_PID"); do
        [ "$(window_geometry "$id")" != "561x352+232+208" ] || echo "$id"
    done
}
export -f dialog_id
export GADGET_PID
wait_until 10 bash -c '[ -n "$(dialog_id)" ]' || fail "no settings dialog in the middle of the screen"
DIALOG=$(dialog_id)
export DIALOG
openbox >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)

# The geometry of the dialog with its frame: the client's, widened by the
# frame extents that the window manager announces.
frame_geometry() {
    local l r t b
    IFS=', ' read -r l r t b <<<"$(xprop -id "$DIALOG" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')"
    [ -n "$b" ] || return 1
    xwininfo -id "$DIALOG" | awk -v l="$l" -v r="$r" -v t="$t" -v b="$b" '
        /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
        END {print w + l + r "x" h + t + b "+" x - l "+" y - t}'
}
centred() {
    local geometry w h x y
    geometry=$(frame_geometry) || return 1
    IFS='x+' read -r w h x y <<<"$geometry"
    ((w > 561 && h > 352)) || return 1  # framed
    ((x == 512 - w / 2 && y == 384 - h / 2))
}
export -f frame_geometry centred
wait_until 10 centred || fail "the framed dialog stands at $(frame_geometry), not in the middle"
screenshot framed
echo "PASS $TEST_NAME"
