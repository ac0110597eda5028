#!/usr/bin/env bash
# A second tavlo.exe of the same user is refused: it shows "既に起動されて
# います。" in a box titled "Tavlo" and ends when the box is closed, while
# the first runs on with its window and its one settings file.
#
# Usage: second_instance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER
WINE_FOLDER=${3:?usage: second_instance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_on_wallpaper
first=$GADGET_PID
expect_window_geometry "242x237+759+59"
gadget=$(gadget_window)

start_wine_gadget "$WORK/start"
second=$GADGET_PID
# The refusal: a second window titled "Tavlo", other than the gadget.
refusal() {
    local id
    for id in $(xdotool search --name '^Tavlo$' 2>/dev/null); do
        [ "$id" != "$1" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && { echo "$id"; return 0; }
    done
    return 1
}
export -f refusal
wait_until 30 bash -c "refusal $gadget >/dev/null" || fail "the second start showed no box"
box=$(refusal "$gadget")
screenshot refusal
[ "$(window_geometry "$box")" != "$(window_geometry "$gadget")" ] || fail "the box is the gadget's size"

# OK, in the middle of the box's foot, closes it, and the second program
# ends with it.
IFS='x+' read -r w h x y <<<"$(window_geometry "$box")"
xdotool mousemove $((x + w / 2)) $((y + h - 20)) click 1
wait_until 10 bash -c "! kill -0 $second 2>/dev/null" || fail "the second program still runs after OK"
status=$(wait_exit "$second" 5) || fail "no exit status of the second program"
[ "$status" = 0 ] || fail "the refused start ended with status $status"

kill -0 "$first" 2>/dev/null || fail "the first gadget ended too"
[ "$(gadget_window)" = "$gadget" ] || fail "the first gadget's window is gone"
files=$(find "$WORK/start/QvrnData" -name '*.qvn' | wc -l)
[ "$files" = 1 ] || fail "$files settings files in QvrnData"
echo "PASS $TEST_NAME"
