#!/usr/bin/env bash
# A keyed window over a plain wallpaper under Wine and Xvfb: where the
# window paints the key colour the wallpaper shows, its green rectangle
# shows as drawn. The probe (colour_key_probe.cpp) is a 240 x 180 popup at
# (200, 150) with the rectangle (60, 50)-(180, 130) inside.
#
# Usage: colour_key.sh PROBE_EXE ARTIFACT_DIR WINE_FOLDER
for tool in Xvfb hsetroot import convert wine wineserver; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
probe=$(realpath "$1")
wine_folder=${3:?usage: colour_key.sh PROBE_EXE ARTIFACT_DIR WINE_FOLDER}
wine_run=$(realpath "$(dirname "$0")/wine_run.sh")
source "$(dirname "$0")/../../e2e/lib.sh" "$probe" "$2"

wallpaper='#3060C0'
inside='#20A040'
# The prefix's desktop process keeps the display it started with: the
# prefix ends with each test, so that the next starts on its own display.
trap 'cleanup; "$wine_run" "$wine_folder" --stop' EXIT

start_desktop 1024x768 without-tray
hsetroot -solid "$wallpaper" >/dev/null 2>&1 || fail "hsetroot could not paint the root"
mkdir -p "$WORK/probe"
(cd "$WORK/probe" && exec "$wine_run" "$wine_folder" "$probe") >"$WORK/probe.log" 2>&1 &
PIDS+=($!)
wait_until 90 test -e "$WORK/probe/ready" -o -e "$WORK/probe/failed" || fail "the probe showed no window"
[ ! -e "$WORK/probe/failed" ] || fail "the probe's window: $(cat "$WORK/probe/failed")"

# Prints what is wrong with screenshot $1, or nothing.
look_problem() {
    local x y
    for point in "205 155" "435 325" "230 170" "330 190"; do
        read -r x y <<<"$point"
        [ "$(pixel "$x" "$y" "$1")" = "$wallpaper" ] || { echo "($x, $y) is $(pixel "$x" "$y" "$1"), not the wallpaper"; return; }
    done
    for point in "261 201" "379 279" "320 240"; do
        read -r x y <<<"$point"
        [ "$(pixel "$x" "$y" "$1")" = "$inside" ] || { echo "($x, $y) is $(pixel "$x" "$y" "$1"), not the rectangle"; return; }
    done
    (($(count_colour "$inside" 120x80+260+200 "$1") == 120 * 80)) || echo "the rectangle is not whole"
}

shot="$ARTIFACTS/colour_key.png"
deadline=$((SECONDS + 10))
while :; do
    import -window root "$shot"
    problem=$(look_problem "$shot")
    [ -z "$problem" ] && break
    ((SECONDS < deadline)) || fail "$problem"
    sleep 0.3
done
touch "$WORK/probe/stop"
wait_until 10 bash -c "! kill -0 ${PIDS[-1]} 2>/dev/null" || fail "the probe did not end"
echo "PASS $TEST_NAME"
