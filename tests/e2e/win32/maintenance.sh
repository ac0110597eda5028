#!/usr/bin/env bash
# tavlo.exe under Wine: "クリップボードのクリア", the last entry of the
# "クリーンアップ" submenu, empties the clipboard that another program
# filled, of every format, and shows nothing of its own;
# "インターネット一時ファイルの削除" warns, then empties the Internet cache.
#
# Usage: maintenance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE
WINE_FOLDER=${3:?usage: maintenance.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_on_wallpaper
expect_window_geometry "242x237+759+59"

probe set-clipboard "Tavlo クリップボード" || fail "the probe could not fill the clipboard"
[ "$(probe clipboard)" = "Tavlo クリップボード" ] || fail "the clipboard holds '$(probe clipboard)'"

# The fourth entry is "クリーンアップ",
# whose submenu opens on its first entry, and Up from there wraps to its
# last, "クリップボードのクリア".
right_click_gadget
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

# "インターネット一時ファイルの削除", the fourth entry of the submenu, from the
# icon (Wine hands the gadget no right click once a menu has closed): after
# its warning, every entry of the Internet cache goes, and it says so.
for page in one two three; do
    probe add-cache-entry "http://tavlo.example/$page.html" || fail "the probe could not fill the cache"
done
[ "$(probe cache-entries)" -ge 3 ] || fail "the cache holds $(probe cache-entries) entries"
wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"
read -r x y <<<"$(window_centre "$(docked_icons | head -n 1)")"
xdotool mousemove "$x" "$y" click 3
wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "a right click on the icon opened no menu"
sleep 0.5
xdotool key --delay 200 Down Down Down Down Right Down Down Down Return
sleep 1
message_shown() { wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]'; }
# Keys reach a window only after a click on it without a window manager:
# a click on the message's corner, then Enter for its OK.
answer_message() {
    local gadget id x y try
    gadget=$(gadget_window)
    for id in $(shown_windows); do
        [ $((id)) -eq "$gadget" ] && continue
        # A key may go astray while the box is slow to take the keyboard:
        # pressed again until this very box has gone.
        for try in 1 2 3; do
            read -r x y <<<"$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                END {print x + 8, y + 8}')"
            xdotool mousemove "$x" "$y" click 1
            wait_until 5 bash -c '[ "$(foreground_class)" = "#32770" ]' || fail "the message did not take the keyboard"
            xdotool key Return
            wait_until 5 bash -c "! xwininfo -id $id 2>/dev/null | grep -q IsViewable" && return 0
        done
        fail "the message stayed open after Enter"
    done
    fail "no message to answer"
}
message_shown || fail "no warning before the cache is deleted"
[ "$(probe cache-entries)" -ge 3 ] || fail "the cache was deleted before the warning was answered"
screenshot cache-warning
answer_message
wait_until 10 bash -c '[ "$(probe cache-entries)" = 0 ]' || { screenshot cache-left; fail "the cache still holds $(probe cache-entries) entries"; }
message_shown || fail "no message after the cache was deleted"
screenshot cache-deleted
answer_message
wait_until 5 bash -c '[ $(shown_windows | wc -l) -eq 1 ]' || fail "a message was left open"

kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"
echo "PASS $TEST_NAME"
