#!/usr/bin/env bash
# The user moves to a notification area of the other kind while the gadget
# runs: from an XEmbed tray to a StatusNotifierItem panel ("xembed sni"), or
# the other way ("sni xembed"). The gadget starts itself again to reach it,
# with the same process number, once: it shows its window at its place
# again, one icon in the new area, and "終了" there ends it with status 0.
source "$(dirname "$0")/lib.sh"
from=${3:-xembed}
to=${4:-sni}

start_area() {
    if [ "$1" = sni ]; then start_sni_tray; else start_tray; fi
}
stop_area() {
    if [ "$1" = sni ]; then stop_sni_tray; else stop_tray; fi
}

# Each run of the program says so as it starts.
runs() {
    grep -c ' main$' "$GADGET_LOG" || true
}

start_desktop 1024x768 bus
start_area "$from"
export TAVLO_TRACE_STARTUP=1
start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
wait_until 10 bash -c "[ \$(tray_icon_count $from) = 1 ]" || fail "the icon did not appear in the $from notification area"

stop_area "$from"
start_area "$to"
# A panel that starts again is waited for a few seconds first.
wait_until 30 bash -c "[ \$(tray_icon_count $to) -ge 1 ]" || fail "the icon did not move to the $to notification area"
kill -0 "$GADGET_PID" || fail "the gadget ended instead of starting again"
expect_geometry "$GADGET_PID" "242x237+759+59"
# Longer than a host kind is waited for: no second start follows.
sleep 7
[ "$(runs)" = 2 ] || fail "the program started $(runs) times, not twice"
settled_screenshot "$ARTIFACTS/$TEST_NAME-$from-$to.png" 1024x768+0+0
expect_icon_and_quit "$to" "$to notification area"
echo "PASS $TEST_NAME $from $to"
