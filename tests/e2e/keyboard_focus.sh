#!/usr/bin/env bash
# The gadget takes no keyboard input, so it never takes the focus from the
# window the user types in: not when it appears (it starts with the session,
# while the user may already type), and not when its readouts are clicked.
# Its window asks the window manager for that (WM_HINTS input false, no
# WM_TAKE_FOCUS). Tried under window managers that give new windows the
# focus: openbox and mutter on an X server, and sway, a Wayland compositor,
# through XWayland. Sway's XWayland takes no made-up clicks to the
# compositor, so there only the start is tried.
#
# Usage: keyboard_focus.sh TAVLO_BINARY ARTIFACT_DIR openbox|mutter|sway
source "$(dirname "$0")/lib.sh"
WM=${3:?usage: keyboard_focus.sh TAVLO_BINARY ARTIFACT_DIR openbox|mutter|sway}
TEST_NAME="$TEST_NAME-$WM"
command -v "$WM" >/dev/null || { echo "SKIP: $WM is missing"; exit 77; }

# Sway on a headless output, its XWayland started at once; sway refuses to
# run as root, so a root test runs it as nobody, who lets root's clients in.
start_sway() {
    local home="$WORK/sway"
    chmod 711 "$WORK"
    mkdir -p "$home"
    mkdir -m 700 "$home/runtime"
    cat >"$home/config" <<CONFIG
xwayland force
output HEADLESS-1 resolution 1024x768
exec sh -c 'xhost +SI:localuser:$(id -un) >/dev/null && echo \$DISPLAY >$home/display'
CONFIG
    local as=()
    if [ "$(id -u)" = 0 ]; then
        chown -R nobody:nogroup "$home"
        as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    "${as[@]}" env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway -c "$home/config" >"$WORK/sway.log" 2>&1 &
    PIDS+=($!)
    wait_until 20 grep -q . "$home/display" || fail "sway did not start XWayland or let this user in: $(tail -n 3 "$WORK/sway.log")"
    export DISPLAY
    DISPLAY=$(cat "$home/display")
    wait_until 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "sway's XWayland has no window manager"
}

case "$WM" in
sway)
    start_sway
    ;;
*)
    start_desktop 1024x768 without-tray
    set_wallpaper
    # mutter wants a session bus.
    [ "$WM" = mutter ] && start_session_bus
    if [ "$WM" = mutter ]; then mutter --x11 --replace --sm-disable; else openbox; fi >"$WORK/wm.log" 2>&1 &
    PIDS+=($!)
    wait_until 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "$WM did not start"
    ;;
esac

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

# The control: the window manager does give a new window the focus, so the
# checks above could fail.
expect_new_window_focused() {
    xmessage -geometry 200x60+80+300 "new window" >"$WORK/xmessage2.log" 2>&1 &
    PIDS+=($!)
    wait_until 10 bash -c '[ -n "$(xdotool search --onlyvisible --name "^xmessage$" 2>/dev/null | grep -vx "$TYPING")" ]' ||
        fail "no second xmessage window"
    wait_until 10 bash -c '! typing_active' || fail "$WM gave a new window no focus: the test proves nothing here"
}

start_gadget "$WORK/home"
# The window manager puts the window in a frame of its own, or where it
# likes (sway): it is found by its process and its title.
gadget_window() {
    xdotool search --onlyvisible --pid "$GADGET_PID" --name '^Tavlo$' 2>/dev/null | head -n 1 | grep .
}
export -f gadget_window
export GADGET_PID
wait_until 15 gadget_window >/dev/null || fail "no gadget window"
GADGET=$(gadget_window)

# The hints as the X server holds them.
xprop -id "$GADGET" WM_HINTS | grep -q 'accepts input or input focus: False' ||
    fail "WM_HINTS does not refuse the input focus: $(xprop -id "$GADGET" WM_HINTS | tr '\n' ' ')"
protocols=$(xprop -id "$GADGET" WM_PROTOCOLS)
! grep -q WM_TAKE_FOCUS <<<"$protocols" || fail "WM_PROTOCOLS offers WM_TAKE_FOCUS: $protocols"

# A window manager gives a new window the focus as it maps it.
if wait_until 2 bash -c '! typing_active'; then
    fail "the gadget took the focus when it appeared (active: $(active_window))"
fi
if [ "$WM" = sway ]; then
    kill -0 "$GADGET_PID" || fail "the gadget ended"
    expect_new_window_focused
    echo "PASS $TEST_NAME"
    exit 0
fi

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
expect_new_window_focused
echo "PASS $TEST_NAME"
