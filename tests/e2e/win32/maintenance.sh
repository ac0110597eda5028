#!/usr/bin/env bash
# tavlo.exe under Wine: "クリップボードのクリア", the last entry of the
# "クリーンアップ" submenu, empties the clipboard that another program
# filled, of every format, and shows nothing of its own.
#
# Usage: maintenance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE
WINE_FOLDER=${3:?usage: maintenance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_on_wallpaper
expect_window_geometry "242x237+759+59"

probe set-clipboard "Tavlo クリップボード" || fail "the probe could not fill the clipboard"
[ "$(probe clipboard)" = "Tavlo クリップボード" ] || fail "the clipboard holds '$(probe clipboard)'"

# The CPU bar takes the right click; the fourth entry is "クリーンアップ",
# whose submenu opens on its first entry, and Up from there wraps to its
# last, "クリップボードのクリア".
xdotool mousemove $((759 + 100)) $((59 + 85)) click 3
wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "a right click on the gadget opened no menu"
sleep 0.5
xdotool key --delay 200 Down Down Down Down Right Up
wait_until 5 bash -c '[ $(shown_windows | wc -l) -ge 3 ]' || fail "クリーンアップ opened no submenu"
sleep 0.5
screenshot cleanup-menu
xdotool key Return
wait_until 10 bash -c '[ "$(probe clipboard)" = empty ]' || fail "the clipboard still holds '$(probe clipboard)'"
wait_until 5 bash -c '[ $(shown_windows | wc -l) -eq 1 ]' || fail "a window besides the gadget is shown"
gadget_window >/dev/null || fail "the gadget's window is gone"

kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"
echo "PASS $TEST_NAME"
