#!/usr/bin/env bash
# Without an X server the gadget says so in one line and fails, without
# aborting inside Qt.
source "$(dirname "$0")/lib.sh"

status=0
(cd "$WORK" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$TAVLO") >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
[ "$(wc -l <"$WORK/err")" = 1 ] || fail "expected one line on standard error, got: $(cat "$WORK/err")"
grep -q 'X display' "$WORK/err" || fail "the message does not name the display: $(cat "$WORK/err")"

status=0
(cd "$WORK" && DISPLAY=:99999 "$TAVLO") >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status with an unreachable display"
grep -q '":99999"' "$WORK/err" || fail "the message does not name the display: $(cat "$WORK/err")"
[ ! -e "$WORK/QvrnData" ] || fail "a data folder was made without a display"
echo "PASS $TEST_NAME"
