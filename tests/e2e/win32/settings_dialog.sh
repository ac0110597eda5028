#!/usr/bin/env bash
# tavlo.exe under Wine: "設定" from the icon's menu opens the settings dialog
# with its outer frame in the middle of the screen; the colour and font
# pickers open from it and Escape closes them, leaving the dialog usable; a
# memory size typed into its field and Enter, which presses the default
# button "保存", write the settings file and start the gadget afresh, its
# window and icon back, the dialog staying open; a second opening left by
# "キャンセル" leaves the file as it was. The keyboard starts on the box of the
# colour mode in force, Tab walks the enabled controls in their order, and
# Escape closes the dialog as "閉じる" does, the file as it was.
#
# Usage: settings_dialog.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER
WINE_FOLDER=${3:?usage: settings_dialog.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_first_gadget
file=$SETTINGS_FILE

# The settings dialog: the mapped window of the program at least as large
# as its client area of 8415 x 5280 twips, 561 x 352 pixels.
dialog_window() {
    local id width height
    for id in $(shown_windows); do
        IFS='x+' read -r width height _ _ <<<"$(window_geometry "$id")"
        ((width >= 561 && height >= 352)) && { echo "$id"; return 0; }
    done
    return 1
}
# The number of mapped windows of the program (the listing's last test
# may fail: the count is what matters).
window_count() {
    shown_windows | wc -l || true
}
export -f dialog_window window_count

open_settings() {
    wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"
    local x y
    read -r x y <<<"$(window_centre "$(docked_icons | head -n 1)")"
    xdotool mousemove "$x" "$y" click 3
    wait_until 10 bash -c '[ $(window_count) -ge 2 ]' || fail "the right click on the icon opened no menu"
    sleep 0.5
    xdotool key --delay 150 Down Down Return  # the second entry, "設定"
    wait_until 10 dialog_window >/dev/null || fail "設定 opened no dialog"
    DIALOG=$(dialog_window)
    local width height left top
    IFS='x+' read -r width height left top <<<"$(window_geometry "$DIALOG")"
    # Centred by its outer frame on the 1024 x 768 screen. Without a window
    # manager Wine maps the client area alone, and the frame Windows centres
    # adds a caption above it: the client stands to a pixel in the middle
    # across, and half a caption (5 to 25 pixels) below the middle down.
    local below=$((2 * top + height - 768))
    (((2 * left + width - 1024) ** 2 <= 4 && below >= 10 && below <= 50)) ||
        fail "the dialog stands at ${width}x${height}+$left+$top, not in the middle of the screen"
    # The client area fills the frame but for equal borders and the caption.
    CLIENT_X=$((left + (width - 561) / 2))
    CLIENT_Y=$((top + height - 352 - (width - 561) / 2))
}

# Clicks at X Y of the dialog's client area.
click_client() {
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1
}

# Opens a common dialog with the button at X Y and closes it with Escape.
pick_and_cancel() {
    local name=$1 before
    before=$(window_count)
    click_client "$2" "$3"
    wait_until 10 bash -c "[ \$(window_count) -gt $before ]" || fail "the $name button opened no picker"
    sleep 0.5
    screenshot "$name-picker"
    # One Escape at a time, once the picker has the keyboard, and another
    # only when it is still open well after: Wine is slow to tell that the
    # picker went, and a second Escape would close the dialog itself.
    local try
    for try in 1 2 3; do
        wait_until 5 bash -c '[ "$(foreground_class)" = "#32770" ]' || break
        xdotool key Escape
        wait_until 5 bash -c "[ \$(window_count) -eq $before ]" && break
    done
    wait_until 5 bash -c "[ \$(window_count) -eq $before ]" || fail "Escape left the $name picker open"
    sleep 0.5
    dialog_window >/dev/null || fail "Escape in the $name picker closed the dialog too"
}

open_settings
sleep 0.5
screenshot open
cp "$file" "$WORK/first-run.qvn"

pick_and_cancel colour 185 61  # "参照" of the common colour
pick_and_cancel font 332 85  # "フォント"

# A memory size typed into its field: the program then counts memory in it.
click_client 455 273
xdotool key --delay 50 End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 3072
sleep 0.3
screenshot typed
xdotool key Return  # the default button "保存"
wait_until 10 bash -c "[ \"\$(stat -c %s '$file')\" = 322 ] && grep -aq 3072 '$file'" ||
    fail "保存 did not write a record with the memory size: $(stat -c %s "$file") bytes"
[ "$(head -c 22 "$file" | tail -c 8)" = 12632256 ] || fail "AllClor is not the silver of the unset common colour"
expect_window_geometry "242x237+759+59"
wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "the icon did not come back after the restart"
dialog_window >/dev/null || fail "the dialog closed on 保存"
sleep 0.5
screenshot saved

click_client 413 329  # "キャンセル"
wait_until 5 bash -c '! dialog_window >/dev/null' || fail "キャンセル left the dialog open"

# Opened again: what is typed and cancelled never reaches the file.
cp "$file" "$WORK/saved.qvn"
open_settings
click_client 455 273
xdotool key --delay 50 End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 4096
click_client 413 329  # "キャンセル"
wait_until 5 bash -c '! dialog_window >/dev/null' || fail "キャンセル left the dialog open"
sleep 0.5
cmp -s "$file" "$WORK/saved.qvn" || fail "キャンセル changed the settings file"
gadget_window >/dev/null || fail "the gadget's window is gone after キャンセル"

# The control that has the keyboard is "id=N class=C", N being 100 plus
# its place in the table of controls.
expect_focus() {
    wait_until 5 bash -c "[ \"\$(probe focus frmSetup)\" = 'id=$1 class=$2' ]" ||
        fail "the keyboard is on $(probe focus frmSetup), not on $3"
}
open_settings
expect_focus 101 Button "すべて同じ色に設定する, the mode in force"
# Without a window manager X gives the keyboard to a window only on a
# click: one on the dialog's own background, off every control.
click_client 3 3
expect_focus 101 Button "すべて同じ色に設定する, after a click beside the controls"
xdotool key Tab
expect_focus 104 Button "参照 of the common colour"
# 削除, then 項目別に色を設定する: the per-item rows, disabled, are passed over.
xdotool key --delay 150 Tab Tab
expect_focus 106 Button "項目別に色を設定する"
xdotool key Tab
expect_focus 134 Button "設定 of the transparency colour"
sleep 0.3
screenshot tab
xdotool key shift+Tab
expect_focus 106 Button "項目別に色を設定する, back with Shift+Tab"
click_client 455 273
xdotool key --delay 50 End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 4096
xdotool key Escape
wait_until 5 bash -c '! dialog_window >/dev/null' || fail "Escape left the dialog open"
sleep 0.5
cmp -s "$file" "$WORK/saved.qvn" || fail "Escape changed the settings file"
gadget_window >/dev/null || fail "the gadget's window is gone after Escape"

# The gadget moved to a monitor of 144 DPI: the open dialog is laid out at
# that DPI too (its client 841 x 528), and at the dialog's own move to one of
# 120 DPI at that one (701 x 440).
dialog_at_least() {
    local width height
    IFS='x+' read -r width height _ _ <<<"$(window_geometry "$(dialog_window)")"
    ((width >= $1 && width <= $1 + 20 && height >= $2 && height <= $2 + 50))
}
export -f dialog_at_least
open_settings
probe dpi frmDTMn 144 || fail "the probe could not tell the gadget of the new DPI"
wait_until 5 dialog_at_least 841 528 || fail "the dialog stayed at $(window_geometry "$(dialog_window)") at 144 DPI"
sleep 0.5
screenshot dpi-144
probe dpi frmSetup 120 || fail "the probe could not tell the dialog of the new DPI"
wait_until 5 dialog_at_least 701 440 || fail "the dialog stayed at $(window_geometry "$(dialog_window)") at 120 DPI"
xdotool key Escape

kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"
echo "PASS $TEST_NAME"
