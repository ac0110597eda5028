#!/usr/bin/env bash
# The gadget takes no keyboard input, so it never takes the focus from the
# window the user types in: not when it appears (it starts with the session,
# while the user may already type), and not when its readouts are clicked.
# Its window asks the window manager for that (WM_HINTS input false, no
# WM_TAKE_FOCUS); openbox, which gives new windows the focus, keeps it on the
# window that had it.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
set_wallpaper
openbox >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)
wait_until 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# The window the user types in.
xmessage -geometry 300x80+80+500 "typing here" >"$WORK/xmessage.log" 2>&1 &
PIDS+=($!)
wait_until 10 bash -c '[ -n "$(xdotool search --onlyvisible --class xmessage 2>/dev/null)" ]' || fail "no xmessage window"
TYPING=$(xdotool search --onlyvisible --class xmessage | head -n 1)
active_window() {
    xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*'
}
typing_active() {
    [ "$(active_window)" = "$(printf '0x%x' "$TYPING")" ]
}
export -f active_window typing_active
export TYPING
xdotool windowactivate "$TYPING"
wait_until 10 typing_active || fail "xmessage did not become the active window"

start_gadget "$WORK/home"
# Openbox puts the window in a frame of its own, so it is no child of the
# root window: it is found by its process and its place.
gadget_window() {
    local id
    for id in $(xdotool search --pid "$GADGET_PID" 2>/dev/null); do
        if [ "$(window_geometry "$id")" = "242x237+759+59" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
export -f gadget_window
export GADGET_PID
wait_until 15 gadget_window >/dev/null || fail "no gadget window at 242x237+759+59"
GADGET=$(gadget_window)

# The hints as the X server holds them.
xprop -id "$GADGET" WM_HINTS | grep -q 'accepts input or input focus: False' ||
    fail "WM_HINTS does not refuse the input focus: $(xprop -id "$GADGET" WM_HINTS | tr '\n' ' ')"
protocols=$(xprop -id "$GADGET" WM_PROTOCOLS)
! grep -q WM_TAKE_FOCUS <<<"$protocols" || fail "WM_PROTOCOLS offers WM_TAKE_FOCUS: $protocols"

typing_active || fail "the gadget took the focus when it appeared (active: $(active_window))"

# A click on a drawn pixel of the readouts (silver on the wallpaper; the
# rest of the window lets clicks through to the desktop).
settled_screenshot "$ARTIFACTS/$TEST_NAME-before-click.png" 242x237+759+59
read -r x y < <(convert "$ARTIFACTS/$TEST_NAME-before-click.png" -crop 242x237+759+59 -depth 8 txt:- |
    awk -F'[,:]' '/#C0C0C0/ && $2 > 120 {print $1, $2; exit}')
[ -n "$y" ] || fail "no drawn readout pixel to click"
xdotool mousemove $((759 + x)) $((59 + y)) click 1
# The window manager and the gadget answer a click at once: the focus must
# stay where it was for a good while after.
if wait_until 2 bash -c '! typing_active'; then
    fail "a click on the readouts took the focus (active: $(active_window))"
fi
kill -0 "$GADGET_PID" || fail "the gadget ended"
echo "PASS $TEST_NAME"
