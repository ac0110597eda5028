#!/usr/bin/env bash
# Over a patterned wallpaper the gadget shows only its drawing: the
# wallpaper shows through between the readouts, the readouts and bars are
# the design silver, the moon sits in its black square, and a click on a
# see-through pixel reaches the window below. Run once with a window shape
# (no compositor) and once with a compositor ("composite"); the gadget
# follows a compositor that starts or stops while it runs.
source "$(dirname "$0")/lib.sh"
mode=${3:-shape}

start_desktop 1024x768
set_wallpaper
[ "$mode" = composite ] && start_compositor
import -window root "$WORK/wallpaper-shot.png"

start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"

# The window sits at (759, 59); positions below are the layout's pixels.
# Prints what is wrong with screenshot $1, or nothing.
look_problem() {
    local shot=$1 x y
    for point in "2 2" "100 110" "230 230" "10 60"; do
        read -r x y <<<"$point"
        [ "$(pixel $((759 + x)) $((59 + y)) "$shot")" = "$(pixel $((759 + x)) $((59 + y)) "$WORK/wallpaper-shot.png")" ] ||
            { echo "the background at ($x, $y) does not show the wallpaper"; return; }
    done
    for y in 80 120 160 200; do
        [ "$(pixel $((759 + 148)) $((59 + y)) "$shot")" = "#C0C0C0" ] || { echo "the frame at y $y is not silver"; return; }
    done
    (($(count_colour '#C0C0C0' 145x25+$((759 + 24))+$((59 + 16)) "$shot") > 50)) || { echo "no silver date"; return; }
    [ "$(pixel $((759 + 169)) $((59 + 13)) "$shot")" = "#000000" ] || echo "no moon square"
}

# Takes screenshots until the look is right, for up to 5 s.
check_look() {
    local shot="$ARTIFACTS/$TEST_NAME-$mode-$1.png" problem deadline=$((SECONDS + 5))
    while :; do
        import -window root "$shot"
        problem=$(look_problem "$shot")
        [ -z "$problem" ] && return 0
        ((SECONDS < deadline)) || fail "$1: $problem"
        sleep 0.3
    done
}

# A window below the gadget that notes the clicks it gets: one on a
# see-through pixel reaches it, one on the drawing does not.
check_clicks() {
    local log="$WORK/clicks-$1.log" below
    xev -geometry 400x300+700+20 -event button >"$log" 2>&1 &
    below=$!
    wait_until 5 bash -c "xwininfo -root -children | grep -q 'Event Tester'" || fail "no window below"
    xdotool windowraise "$(windows_of "$GADGET_PID" | head -n 1)"
    sleep 0.3
    xdotool mousemove $((759 + 2)) $((59 + 2)) click 1
    wait_until 3 grep -q ButtonPress "$log" || fail "$1: a click on a see-through pixel did not reach the window below"
    xdotool mousemove $((759 + 148)) $((59 + 80)) click 1
    sleep 0.5
    [ "$(grep -c ButtonPress "$log")" = 1 ] || fail "$1: a click on the drawing went through the gadget"
    kill "$below"
    wait "$below" 2>/dev/null || true
}

# Starts or stops the compositor ($1), then waits until the gadget's
# window has the depth $2 (32 with alpha, 24 with a shape); $3 names the
# change for the screenshots.
switch_compositor() {
    "$1"
    wait_until 6 bash -c "[ \"\$(xwininfo -id \$(windows_of $GADGET_PID | head -n 1) | awk '/Depth:/ {print \$2}')\" = $2 ]" ||
        fail "the gadget did not follow: $3"
    check_look "$3"
    check_clicks "$3"
}

check_look start
check_clicks start
if [ "$mode" = composite ]; then
    [ "$(gadget_depth "$GADGET_PID")" = 32 ] || fail "no per-pixel alpha under the compositor"
    switch_compositor stop_compositor 24 after-compositor
else
    [ "$(gadget_depth "$GADGET_PID")" = 24 ] || fail "an alpha window without a compositor"
    switch_compositor start_compositor 32 with-compositor
fi
expect_geometry "$GADGET_PID" "242x237+759+59"
echo "PASS $TEST_NAME $mode"
