#!/usr/bin/env bash
# tavlo.exe under Wine with trayer: a right click on the gadget's readouts
# opens the popup menu from the hidden menu window frmDTMnMenu, which is
# then the foreground window, never the gadget; a click elsewhere closes
# the menu; its icon docks in the notification area, a right click on the
# icon opens the same menu, which Escape closes, and "終了", its last
# entry, ends the program with status 0 and takes the icon away.
#
# Usage: tray_menu.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE
WINE_FOLDER=${3:?usage: tray_menu.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_on_wallpaper
expect_window_geometry "242x237+759+59"

right_click_gadget
wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "a right click on the gadget opened no menu"
sleep 0.5
screenshot gadget-menu
# The menu window takes the foreground for the menu, never the gadget.
# Wine may settle the foreground a little after the menu shows, and now and
# then leaves none at all as the menu maps (Wine's own menu code makes no
# window active then); a click elsewhere must close the menu either way.
wait_until 5 bash -c '[ "$(foreground_class)" = frmDTMnMenu ]' || [ "$(foreground_class)" = none ] ||
    fail "the foreground window under the open menu is '$(foreground_class)'"

# A click on the desktop beside the menu closes it; the gadget still does
# not come to the foreground.
xdotool mousemove 200 600 click 1
wait_until 5 bash -c '[ $(shown_windows | wc -l) -eq 1 ]' || fail "a click elsewhere left the menu open"
foreground=$(foreground_class)
[ "$foreground" != frmDTMn ] || fail "the gadget became the foreground window"

wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"
icon=$(docked_icons | head -n 1)
read -r x y <<<"$(window_centre "$icon")"
open_icon_menu() {
    xdotool mousemove "$x" "$y" click 3
    wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "the right click opened no menu"
    sleep 0.5
}
open_icon_menu
# Under load Wine may hand the menu the keyboard a little after it shows:
# Escape is pressed again until the menu has it.
wait_until 5 bash -c 'xdotool key Escape; sleep 0.3; [ $(shown_windows | wc -l) -eq 1 ]' \
    || fail "Escape left the menu open"
open_icon_menu
screenshot menu

# Up from the top of a fresh menu lands on its last entry, "終了".
xdotool key --delay 150 Up Return
status=$(wait_exit "$GADGET_PID" 15) || fail "the gadget still runs after 終了"
[ "$status" = 0 ] || fail "終了 ended the program with status $status"
wait_until 5 bash -c '[ -z "$(docked_icons)" ]' || fail "the icon is left in the notification area"
echo "PASS $TEST_NAME"
