#!/usr/bin/env bash
# The maintenance entries of the menu, driven like a person with the
# keyboard: "メモリ開放" shows its progress in the clock and RAM readouts and
# hands them back; "クリップボードのクリア" empties what another program put
# on the clipboard; "ごみ箱を空にする" asks, then empties the trash.
source "$(dirname "$0")/lib.sh"
mode=${3:?usage: maintenance.sh TAVLO ARTIFACTS memory|clipboard|trash|quit}
TEST_NAME="$TEST_NAME-$mode"

# Everything the gadget keeps or cleans lies in this test's own folders.
export HOME="$WORK/home" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache" XDG_CONFIG_HOME="$WORK/config"
user=$(id -un)
mkdir -p "$HOME/QvrnData"

start_desktop 1024x768
set_wallpaper

# Picks an entry of the icon's menu by the keys that reach it.
pick() {
    open_tray_menu
    xdotool key --delay 150 "$@"
}

# The window of the gadget's that is neither the gadget nor a menu.
dialog_window() {
    local id
    for id in $(windows_of "$GADGET_PID"); do
        [ "$id" = "$GADGET_WINDOW" ] && continue
        xprop -id "$id" WM_NAME | grep -q '"Tavlo"' && echo "$id"
    done
    return 0
}
export -f dialog_window

start_with_record() {
    write_record "$HOME/QvrnData/$user.qvn" "$@"
    start_gadget "$HOME"
    expect_geometry "$GADGET_PID" "242x237+759+59"
    export GADGET_PID GADGET_WINDOW=$(windows_of "$GADGET_PID" | head -n 1)
    sleep 1
}

date_area() { convert "$1" -crop 145x16+$((759 + 24))+$((59 + 16)) -depth 8 rgb:- | md5sum; }

case $mode in
memory)
    # A stated size of 64 MB keeps the block small: 10 N words of about 2 MB.
    start_with_record 316 64
    settled_screenshot "$WORK/before.png" 242x237+759+59
    pick Down Return
    # The progress ends at "開放完了" with a full RAM bar and stays for a second.
    sleep 0.4
    screenshot released
    [ "$(date_area "$ARTIFACTS/$TEST_NAME-released.png")" != "$(date_area "$WORK/before.png")" ] ||
        fail "the date readout does not show the release"
    [ "$(pixel $((759 + 215)) $((59 + 128)) "$ARTIFACTS/$TEST_NAME-released.png")" = "#C0C0C0" ] ||
        fail "the RAM bar is not full at 100 %"
    refreshed() {
        import -window root "$WORK/now.png"
        [ "$(date_area "$WORK/now.png")" = "$(date_area "$WORK/before.png")" ]
    }
    wait_until 2 refreshed || fail "the readouts were not refreshed within two seconds"
    screenshot refreshed
    ;;
clipboard)
    start_with_record
    printf 'a secret password' | xclip -selection clipboard
    printf 'a selected line' | xclip -selection primary
    [ "$(xclip -o -selection clipboard)" = "a secret password" ] || fail "xclip did not fill the clipboard"
    # Up from クリーンアップ's first entry lands on its last, "クリップボードのクリア".
    pick Down Down Down Down Right Up Return
    emptied() { ! xclip -o -selection clipboard >/dev/null 2>&1 && ! xclip -o -selection primary >/dev/null 2>&1; }
    wait_until 3 emptied || fail "the clipboard still holds: $(xclip -o -selection clipboard 2>&1)"
    ;;
trash)
    # A per-volume trash of the machine's own would be emptied as well.
    uid=$(id -u)
    for top in $(awk '{print $5}' /proc/self/mountinfo); do
        for folder in "$top/.Trash/$uid" "$top/.Trash-$uid"; do
            [ ! -e "${folder/#\/\//\/}" ] || { echo "SKIP: $folder would be emptied too"; exit 77; }
        done
    done
    trash="$XDG_DATA_HOME/Trash"
    mkdir -p "$trash/files/album" "$trash/info" "$WORK/outside"
    echo "keep me" >"$WORK/outside/target.txt"
    echo "old letter" >"$trash/files/letter.txt"
    echo "photo" >"$trash/files/album/photo.jpg"
    ln -s "$WORK/outside/target.txt" "$trash/files/link"
    for item in letter.txt album link; do
        printf '[Trash Info]\nPath=%s\nDeletionDate=2026-12-01T10:00:00\n' "$HOME/$item" >"$trash/info/$item.trashinfo"
    done
    start_with_record
    empty_trash() { pick Down Down Down Down Right Return; }
    ask() { wait_until 5 bash -c '[ -n "$(dialog_window)" ]'; }
    answered() { wait_until 5 bash -c '[ -z "$(dialog_window)" ]'; }

    # "いいえ" (Escape) leaves everything as it was.
    empty_trash
    ask || fail "no question before emptying the trash"
    sleep 0.3
    screenshot question
    xdotool key Escape
    answered || fail "the question stayed open after いいえ"
    [ "$(ls -A "$trash/files" | wc -l)$(ls -A "$trash/info" | wc -l)" = 33 ] || fail "いいえ changed the trash"

    # "はい" (the default button) empties it.
    empty_trash
    ask || fail "no question the second time"
    xdotool key Return
    wait_until 5 bash -c '[ -z "$(ls -A "'"$trash"'/files")" ] && [ -z "$(ls -A "'"$trash"'/info")" ]' ||
        fail "the trash is not empty: $(ls -A "$trash/files" "$trash/info")"
    [ "$(cat "$WORK/outside/target.txt")" = "keep me" ] || fail "the link's target was touched"
    answered || fail "a message was left open"

    # An empty trash asks nothing and says nothing.
    empty_trash
    sleep 1.5
    [ -z "$(dialog_window)" ] || fail "an empty trash opened a window"
    screenshot emptied
    ;;
quit)
    # SIGTERM while the warning of "インターネット一時ファイルの削除" is open
    # answers it "いいえ": the gadget ends as 終了 ends it, and the cache
    # is all there.
    cache="$XDG_CACHE_HOME/mozilla/firefox/k3x9m2qa.default-release/cache2/entries"
    mkdir -p "$cache"
    for entry in 1 2 3 4 5; do echo "entry $entry" >"$cache/E$entry"; done
    start_with_record
    pick Down Down Down Down Right Down Down Down Return
    wait_until 5 bash -c '[ -n "$(dialog_window)" ]' || fail "no warning before the cache is deleted"
    screenshot warning
    kill -TERM "$GADGET_PID"
    status=$(wait_exit "$GADGET_PID" 10) || fail "still running 10 s after SIGTERM during the warning"
    [ "$status" = 0 ] || fail "ended with status $status"
    [ "$(ls "$cache" | wc -l)" = 5 ] || fail "the cache was deleted unasked: $(ls "$cache" | wc -l) entries left"
    echo "PASS $TEST_NAME"
    exit 0
    ;;
esac

kill -0 "$GADGET_PID" 2>/dev/null || fail "the gadget ended"
echo "PASS $TEST_NAME"
