# Helpers of the end-to-end tests: a headless X desktop with a notification
# area, the real gadget started in a folder of its own, and ways to look at
# what a person would see. Sourced by each test; the test's arguments are
# the gadget binary and a folder for screenshots.

set -euo pipefail

TAVLO=$(realpath "${1:?usage: test.sh TAVLO_BINARY ARTIFACT_DIR}")
ARTIFACTS=${2:?usage: test.sh TAVLO_BINARY ARTIFACT_DIR}
TEST_NAME=$(basename "$0" .sh)
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d "/tmp/tavlo-e2e-$TEST_NAME.XXXXXX")
PIDS=()
# Processes that left this test's tree as daemons, as "PID NAME".
DAEMONS=()

# Whether process $1 is one this test started and still runs: a child of
# this shell or of one of its subshells. The number of a process that
# ended may already belong to another program, such as a test that ctest
# runs beside this one (pid_max is often 32768).
ours() {
    local parent grandparent
    parent=$(ps -o ppid= -p "$1" 2>/dev/null) || return 1
    parent=${parent// /}
    [ "$parent" = $$ ] && return 0
    grandparent=$(ps -o ppid= -p "$parent" 2>/dev/null) || return 1
    [ "${grandparent// /}" = $$ ]
}

cleanup() {
    local pid name
    for pid in "${PIDS[@]}"; do
        if ours "$pid"; then kill "$pid" 2>/dev/null || true; fi
    done
    for pid in "${DAEMONS[@]}"; do
        read -r pid name <<<"$pid"
        if [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = "$name" ]; then kill "$pid" 2>/dev/null || true; fi
    done
    # Every background job, the gadgets' status writers included, ends
    # before its folder goes.
    wait 2>/dev/null || true
    if [ "${KEEP_WORK:-}" ]; then echo "kept $WORK" >&2; else rm -rf "$WORK" || true; fi
}
trap cleanup EXIT

# Says what failed, with the screen as it was then, when there is one.
fail() {
    echo "FAIL ($TEST_NAME): $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$ARTIFACTS/$TEST_NAME-failed.png" 2>/dev/null
    exit 1
}

# Polls a command until it succeeds, for up to $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A 1024 x 768 X server with a notification area at the bottom right: an
# XEmbed one without a session bus, a StatusNotifierItem host with a second
# argument "sni", none with "without-tray", and none but a session bus with
# "bus" (a desktop whose panel has not started yet). Each test gets its own
# display and runtime folder.
start_desktop() {
    local size=${1:-1024x768}
    Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    wait_until 10 grep -q . "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM
    case "${2:-}" in
    without-tray) ;;
    bus) start_session_bus ;;
    sni) start_sni_tray ;;
    *) start_tray ;;
    esac
}

# A StatusNotifierItem host, as KDE Plasma, GNOME's AppIndicator extension,
# XFCE's status tray and waybar are: a session bus, the watcher, and a panel
# along the bottom that shows the items and the menus they export.
# A panel started again reuses the bus of the first. The panel's
# processes are SNI_WATCHER_PID and SNI_TRAY_PID.
start_sni_tray() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || start_session_bus
    status-notifier-watcher >>"$WORK/watcher.log" 2>&1 &
    SNI_WATCHER_PID=$!
    PIDS+=($!)
    wait_until 10 watcher_property IsStatusNotifierHostRegistered >/dev/null || fail "no StatusNotifierWatcher"
    gtk-sni-tray-standalone --bottom --end -s 32 >>"$WORK/sni-tray.log" 2>&1 &
    SNI_TRAY_PID=$!
    PIDS+=($!)
    wait_until 10 bash -c 'watcher_property IsStatusNotifierHostRegistered | grep -q true' ||
        fail "no StatusNotifierItem host"
}

# A session bus of the test's own.
start_session_bus() {
    eval "$(dbus-launch --sh-syntax)"
    DAEMONS+=("$DBUS_SESSION_BUS_PID dbus-daemon")
}

# Ends the panel that start_sni_tray started, watcher and all, as a panel
# that holds its own watcher (waybar) ends, and waits until the watcher has
# left the bus.
stop_sni_tray() {
    kill "$SNI_TRAY_PID" "$SNI_WATCHER_PID"
    wait "$SNI_TRAY_PID" "$SNI_WATCHER_PID" 2>/dev/null || true
    wait_until 10 bash -c '! watcher_property IsStatusNotifierHostRegistered >/dev/null' ||
        fail "the StatusNotifierWatcher stayed on the bus"
}

# A property of the StatusNotifierWatcher, as dbus-send prints it.
watcher_property() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}

# The bus names of the registered StatusNotifierItems, one a line.
sni_items() {
    watcher_property RegisteredStatusNotifierItems | grep -o 'string "[^"]*"' | cut -d'"' -f2 || true
}

# A notification area at the bottom right.
start_tray() {
    trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >>"$WORK/trayer.log" 2>&1 &
    TRAYER_PID=$!
    PIDS+=($!)
    wait_until 10 tray_panel >/dev/null || fail "no notification area"
}

# Ends the notification area that start_tray started and waits until its
# panel has gone.
stop_tray() {
    kill "$TRAYER_PID"
    wait "$TRAYER_PID" 2>/dev/null || true
    wait_until 10 bash -c '! tray_panel >/dev/null' || fail "the notification area did not end"
}

# The notification area's panel window.
tray_panel() {
    xdotool search --classname '^panel$' 2>/dev/null | head -n 1 | grep .
}

# The gadgets of one user share one instance lock on the machine. Where
# mount namespaces can be made, each test's gadgets get a lock folder of the
# test's own, so that a gadget running on this machine, or another test at
# the same time, does not refuse them.
LOCK_FOLDER="/tmp/tavlo-$(id -u)"
run_gadget() {
    if unshare --mount true 2>/dev/null; then
        mkdir -p -m 700 "$LOCK_FOLDER" "$WORK/lock"
        exec unshare --mount -- bash -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' _ "$WORK/lock" "$LOCK_FOLDER" "$@"
    else
        exec "$@"
    fi
}

# Starts the gadget in folder $1; sets GADGET_PID. Its exit status lands in
# $WORK/<pid>.status.
start_gadget() {
    start_in "$1" japanese_gadget
}

# Run in the background, so run_gadget's exec makes that job the gadget.
japanese_gadget() {
    LANG=ja_JP.UTF-8 LC_ALL='' run_gadget "$TAVLO"
}

# Runs the command $2... in folder $1 (made if missing), in the background;
# sets GADGET_PID and GADGET_LOG. Its exit status lands in $WORK/<pid>.status.
start_in() {
    local folder=$1 run="$WORK/run-$RANDOM"
    shift
    mkdir -p "$folder"
    (
        cd "$folder"
        "$@" >"$run.log" 2>&1 &
        echo $! >"$run.pid"
        status=0
        wait $! || status=$?
        echo "$status" >"$WORK/$(cat "$run.pid").status"
    ) &
    wait_until 5 test -s "$run.pid" || fail "the gadget did not start"
    GADGET_PID=$(cat "$run.pid")
    GADGET_LOG="$run.log"
    PIDS+=("$GADGET_PID")
}

# The mapped top-level windows of process $1, by _NET_WM_PID.
windows_of() {
    local id
    for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
        xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $1\$" || continue
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
        echo "$id"
    done
}

# "WIDTHxHEIGHT+X+Y" of window $1.
window_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
        END {printf "%sx%s+%s+%s\n", w, h, x, y}' <<<"$info"
}

# The geometry of the gadget window of process $1 (its first mapped window).
gadget_geometry() {
    local id
    id=$(windows_of "$1" | head -n 1)
    [ -n "$id" ] && window_geometry "$id"
}
# Waits until the gadget of process $1 shows a window of geometry $2.
expect_geometry() {
    local pid=$1 expected=$2
    if ! wait_until 15 bash -c "[ \"\$(gadget_geometry $pid)\" = '$expected' ]"; then
        fail "window geometry is '$(gadget_geometry "$pid" || echo none)', expected '$expected'"
    fi
}

# Waits up to $2 seconds for the gadget of process $1 to end; prints its
# exit status.
wait_exit() {
    wait_until "$2" test -f "$WORK/$1.status" || return 1
    cat "$WORK/$1.status"
}

screenshot() {
    import -window root "$ARTIFACTS/$TEST_NAME-$1.png"
}

# A settings record of 322 bytes: pairs of offset and text, the rest blanks.
write_record() {
    local file=$1
    shift
    printf '%*s' 322 '' >"$file"
    while (($# >= 2)); do
        printf '%s' "$2" | dd of="$file" bs=1 seek="$1" conv=notrunc status=none
        shift 2
    done
}

# A patterned wallpaper on the root window, so that see-through pixels can
# be told from drawn ones.
set_wallpaper() {
    convert -size 16x16 xc:'#2a5d8f' -fill '#8f5d2a' -draw 'rectangle 0,0 7,7' -draw 'rectangle 8,8 15,15' \
        "$WORK/wallpaper.png"
    hsetroot -tile "$WORK/wallpaper.png" >/dev/null 2>&1 || fail "hsetroot could not set the wallpaper"
}

# Starts a compositing manager and waits until it owns the compositor selection.
start_compositor() {
    picom --config /dev/null --backend xrender >"$WORK/picom.log" 2>&1 &
    COMPOSITOR_PID=$!
    PIDS+=("$COMPOSITOR_PID")
    sleep 1.5
    kill -0 "$COMPOSITOR_PID" || fail "picom did not start: $(cat "$WORK/picom.log")"
}

stop_compositor() {
    kill "$COMPOSITOR_PID"
    wait "$COMPOSITOR_PID" 2>/dev/null || true
}

# "#RRGGBB" of the pixel at X Y of screenshot FILE.
pixel() {
    convert "$3" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'
}

# How many pixels of colour "#RRGGBB" lie in the rectangle WxH+X+Y of FILE.
count_colour() {
    convert "$3" -crop "$2" -depth 8 txt:- | grep -c "$1" || true
}

# The colour depth of the gadget window of process $1: 32 when it blends
# with a compositor, 24 when a shape cuts it out.
gadget_depth() {
    xwininfo -id "$(windows_of "$1" | head -n 1)" | awk '/Depth:/ {print $2}'
}

# Takes a screenshot into FILE once the window region WxH+X+Y looks the same
# in two shots in a row (the gadget has painted), for up to 5 s.
settled_screenshot() {
    local file=$1 region=$2 previous="" current deadline=$((SECONDS + 5))
    while :; do
        import -window root "$file"
        current=$(convert "$file" -crop "$region" -depth 8 rgb:- | md5sum)
        [ "$current" = "$previous" ] && return 0
        ((SECONDS < deadline)) || return 0
        previous=$current
        sleep 0.3
    done
}

# The window id of the gadget's icon embedded in the notification area.
tray_icon() {
    xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {inside = 1; next}
        inside && /"Tavlo": \("tavlo" "Tavlo"\)/ {print $1; exit}
        inside && /^     0x/ {inside = 0}'
}

# How many icons of the gadget the notification area shows: windows of the
# gadget embedded in trayer's panel (XEmbed), or items registered with the
# StatusNotifierWatcher (StatusNotifierItem).
tray_icon_count() {
    if [ "$1" = sni ]; then
        sni_items | grep -c . || true
    else
        xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {inside = 1; next}
            inside && /"Tavlo": \("tavlo" "Tavlo"\)/ {n++}
            inside && /^     0x/ {inside = 0}
            END {print n + 0}'
    fi
}

# The centre "X Y" of window $1 on the screen.
window_centre() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2}
        /Height:/ {h=$2} END {print int(x + w / 2), int(y + h / 2)}'
}

# Right-clicks the icon of the gadget GADGET_PID and waits for its menu.
open_tray_menu() {
    wait_until 10 bash -c '[ -n "$(tray_icon)" ]' || fail "no icon in the notification area"
    local x y
    read -r x y <<<"$(window_centre "$(tray_icon)")"
    xdotool mousemove "$x" "$y" click 3
    wait_until 5 bash -c "[ \$(windows_of $GADGET_PID | wc -l) -ge 2 ]" || fail "the right click opened no menu"
    sleep 0.3
}

# Right-clicks the gadget's item at the right end of the StatusNotifierItem
# panel and waits for the panel's copy of the menu.
open_sni_menu() {
    wait_until 10 bash -c '[ -n "$(sni_items)" ]' || fail "the icon did not register as a StatusNotifierItem"
    local panel x y
    panel=$(xdotool search --classname '^gtk-sni-tray-standalone$' 2>/dev/null | while read -r id; do
        xwininfo -id "$id" | grep -q 'Width: 1024' && echo "$id"
    done | head -n 1)
    [ -n "$panel" ] || fail "no StatusNotifierItem panel"
    # The item is the last 32-pixel square of the panel.
    read -r x y <<<"$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x + w - 16, int(y + h / 2)}')"
    sleep 1
    xdotool mousemove "$x" "$y" click 3
    wait_until 5 bash -c "xwininfo -root -children | grep gtk-sni-tray-standalone | grep -qv '1024x32\|10x10'" ||
        fail "the right click opened no menu"
    xdotool mousemove "$x" $((y - 200))
    sleep 0.5
}

# The labels of the top level of the menu that item $1 exports over D-Bus.
sni_menu_labels() {
    local path
    path=$(dbus-send --session --print-reply --dest="$1" /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierItem string:Menu | grep -o 'object path "[^"]*"' | cut -d'"' -f2)
    dbus-send --session --print-reply --dest="$1" "$path" com.canonical.dbusmenu.GetLayout int32:0 int32:1 \
        array:string:label | grep -A1 'string "label"' | grep -o 'string "[^"]*"' | grep -v '"label"' | cut -d'"' -f2
}

# For the checks that poll through "bash -c".
export -f gadget_geometry windows_of window_geometry tray_icon tray_panel watcher_property sni_items tray_icon_count

# Opens the icon's menu in a notification area of kind $1 (xembed or sni);
# a StatusNotifierItem host shows the menu that the gadget exported, whose
# entries are checked first.
open_icon_menu() {
    if [ "$1" = sni ]; then
        local labels
        labels=$(sni_menu_labels "$(sni_items | head -n 1)" | tr '\n' '|')
        [ "$labels" = "メモリ開放|設定|位置の設定|クリーンアップ|システム|終了|" ] || fail "the exported menu holds '$labels'"
        open_sni_menu
    else
        open_tray_menu
    fi
}

# In the notification area of kind $1, described as $2: the icon appears,
# once, and "終了" from its menu ends the gadget with status 0.
expect_icon_and_quit() {
    local mode=$1 area=$2 count status
    wait_until 10 bash -c "[ \$(tray_icon_count $mode) -ge 1 ]" || fail "the icon did not appear in the $area"
    screenshot "$mode-icon"
    open_icon_menu "$mode"
    count=$(tray_icon_count "$mode")
    [ "$count" = 1 ] || fail "the $area shows $count icons of the gadget"
    screenshot "$mode-menu"
    # Up from the top of a fresh menu lands on its last entry, "終了".
    xdotool key --delay 150 Up Return
    status=$(wait_exit "$GADGET_PID" 10) || fail "the gadget still runs after 終了 in the $area's menu"
    [ "$status" = 0 ] || fail "終了 ended the program with status $status"
}
