#!/usr/bin/env bash
# tavlo.exe started for the first time in an empty folder under Wine: the
# settings file appears in QvrnData below the folder, the borderless window
# stands at the first-run place, the wallpaper shows through the key colour
# while the readouts are drawn, and the icon docks in the notification area.
#
# Usage: first_start.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER
WINE_FOLDER=${3:?usage: first_start.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_on_wallpaper

# 3630 x 3555 twips are 242 x 237 pixels at 96 DPI; the first-run place is
# left (15360 - 3630 - 350) twips = 759 px, top 11520 / 13 twips = 59 px.
expect_window_geometry "242x237+759+59"

wait_until 5 test -d "$WORK/start/QvrnData" || fail "no data folder"
files=$(find "$WORK/start/QvrnData" -name '*.qvn' | wc -l)
[ "$files" = 1 ] || fail "$files settings files in QvrnData: $(ls "$WORK/start/QvrnData")"

wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"

# See-through: the key colour's pixels show the wallpaper (the window's
# corners and the gap above the date); the readouts' frames do not.
shot="$ARTIFACTS/$TEST_NAME-started.png"
settled_screenshot "$shot" 242x237+759+59
for point in "760 60" "1000 295" "770 200"; do
    read -r x y <<<"$point"
    [ "$(pixel "$x" "$y" "$shot")" = "#3060C0" ] || fail "($x, $y) is $(pixel "$x" "$y" "$shot"), not the wallpaper"
done
drawn=$(($(count_colour '#C0C0C0' 242x237+759+59 "$shot")))
((drawn > 500)) || fail "only $drawn pixels of the readouts' silver show"

# Ending from the outside: the window goes and the program ends.
kill -TERM "$GADGET_PID"
wait_exit "$GADGET_PID" 15 >/dev/null || fail "still running 15 s after SIGTERM"
echo "PASS $TEST_NAME"
