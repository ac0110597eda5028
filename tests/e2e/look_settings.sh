#!/usr/bin/env bash
# Settings change the look: a common red with a green memory row, the clock
# switched off, the moon switched off.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
set_wallpaper
import -window root "$WORK/wallpaper-shot.png"
user=$(id -un)
mkdir -p "$WORK/home/QvrnData"
file="$WORK/home/QvrnData/$user.qvn"

# Starts the gadget on a record of offset/text pairs and takes a screenshot.
show_with() {
    local name=$1
    shift
    write_record "$file" "$@"
    start_gadget "$WORK/home"
    expect_geometry "$GADGET_PID" "242x237+759+59"
    SHOT="$ARTIFACTS/$TEST_NAME-$name.png"
    settled_screenshot "$SHOT" 242x237+759+59
    kill -TERM "$GADGET_PID"
    wait_exit "$GADGET_PID" 10 >/dev/null || fail "$name: the gadget did not end"
}
at() { pixel $((759 + $1)) $((59 + $2)) "$SHOT"; }
wallpaper_at() { pixel $((759 + $1)) $((59 + $2)) "$WORK/wallpaper-shot.png"; }

# AllClor 255 (red), RClor 65280 (green).
show_with colours 14 255 134 65280
[ "$(at 148 80)" = "#FF0000" ] || fail "the CPU frame is not red"
[ "$(at 148 120)" = "#00FF00" ] || fail "the RAM frame is not green"
[ "$(at 148 160)" = "#FF0000" ] || fail "the disk frame is not red"
(($(count_colour '#FF0000' 145x25+$((759 + 24))+$((59 + 16)) "$SHOT") > 50)) || fail "the date is not red"
(($(count_colour '#00FF00' 110x17+$((759 + 64))+$((59 + 139)) "$SHOT") > 20)) || fail "the memory figures are not green"
(($(count_colour '#C0C0C0' 242x237+759+59 "$SHOT") == 0)) || fail "silver is left"

# CVw "off": no date and time, the rest as designed.
show_with clock-off 224 off
(($(count_colour '#C0C0C0' 145x50+$((759 + 24))+$((59 + 16)) "$SHOT") == 0)) || fail "the clock is still shown"
[ "$(at 60 25)" = "$(wallpaper_at 60 25)" ] || fail "the clock's place does not show the wallpaper"
[ "$(at 169 13)" = "#000000" ] || fail "the moon went with the clock"

# MVw "off": no moon square.
show_with moon-off 230 off
[ "$(at 169 13)" = "$(wallpaper_at 169 13)" ] || fail "the moon is still shown"
[ "$(at 194 38)" = "$(wallpaper_at 194 38)" ] || fail "the moon is still shown"
(($(count_colour '#C0C0C0' 145x25+$((759 + 24))+$((59 + 16)) "$SHOT") > 50)) || fail "the clock went with the moon"
echo "PASS $TEST_NAME"
