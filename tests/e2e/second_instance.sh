#!/usr/bin/env bash
# A second start by the same user, here from another environment (as from a
# su shell or a sudo session), shows the refusal message and ends once it is
# answered; the first gadget runs on untouched. A gadget killed with SIGKILL
# does not block the next start.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
start_gadget "$WORK/home"
first=$GADGET_PID
expect_geometry "$first" "242x237+759+59"

mkdir -p -m 700 "$WORK/other-runtime"
XDG_RUNTIME_DIR="$WORK/other-runtime" TMPDIR="$WORK" HOME="$WORK/elsewhere" start_gadget "$WORK/elsewhere"
second=$GADGET_PID
wait_until 15 bash -c "[ -n \"\$(windows_of $second)\" ]" || fail "no refusal message from the second start"
box=$(windows_of "$second" | head -n 1)
screenshot refusal
[ "$(xprop -id "$box" _NET_WM_NAME | cut -d'"' -f2)" = Tavlo ] || fail "the message box is not titled Tavlo"
[ ! -e "$WORK/elsewhere/QvrnData" ] || fail "the refused start made a data folder"

# Answer the box as a person would, again if the first key press came too early.
for _ in 1 2 3 4 5; do
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    status=$(wait_exit "$second" 2) && break
done
[ -n "${status:-}" ] || fail "the second process did not end after OK"
[ "$status" = 0 ] || fail "the second process ended with status $status"
kill -0 "$first" || fail "the first gadget ended too"
[ "$(gadget_geometry "$first")" = "242x237+759+59" ] || fail "the first gadget moved"

kill -KILL "$first"
wait_exit "$first" 10 >/dev/null || fail "SIGKILL did not end the first gadget"
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
echo "PASS $TEST_NAME"
