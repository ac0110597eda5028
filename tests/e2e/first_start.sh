#!/usr/bin/env bash
# A new user starts the gadget in an empty folder: the data folder and an
# empty settings file named after the user appear, the borderless window is
# mapped at the first-run place, and SIGTERM ends it cleanly.
source "$(dirname "$0")/lib.sh"

start_desktop 1024x768
start_gadget "$WORK/home"

# 3630 x 3555 twips are 242 x 237 pixels; top = 11520 / 13 twips = 59 px,
# left = (15360 - 3630 - 350) twips = 758.67 px.
expect_geometry "$GADGET_PID" "242x237+759+59"
screenshot started

user=$(id -un)
[ -d "$WORK/home/QvrnData" ] || fail "no data folder"
[ -f "$WORK/home/QvrnData/$user.qvn" ] || fail "no settings file for $user"
[ ! -s "$WORK/home/QvrnData/$user.qvn" ] || fail "the settings file of a first run is not empty"

# Motif hints: flags, functions, decorations; no decorations means no frame.
xprop -id "$(windows_of "$GADGET_PID" | head -n 1)" _MOTIF_WM_HINTS | grep -q '= 0x2, 0x[0-9a-f]*, 0x0' ||
    fail "the window asks for a frame"

kill -TERM "$GADGET_PID"
status=$(wait_exit "$GADGET_PID" 10) || fail "still running 10 s after SIGTERM"
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
[ ! -s "$WORK/home/QvrnData/$user.qvn" ] || fail "ending wrote the settings file"
echo "PASS $TEST_NAME"
