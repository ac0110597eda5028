# Helpers of the Windows program's end-to-end tests, sourced after
# tests/e2e/lib.sh: a Wine prefix of these tests' own under WINE_FOLDER that
# shows Japanese (the IPA fonts in windows/Fonts, linked and substituted for
# the faces the program and the system ask for), and tavlo.exe started in
# it. Each test ends the prefix's server, so that the next one starts on its
# own display.

for tool in Xvfb trayer xdotool xwininfo xprop hsetroot import convert wine wineserver python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
IPA_FONTS=/usr/share/fonts/opentype/ipafont-gothic
[ -e "$IPA_FONTS/ipagp.ttf" ] || { echo "SKIP: the IPA Gothic fonts are missing"; exit 77; }

WINE_RUN=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../platform/windows/wine_run.sh")
# The console helper window_probe.cpp, the tests' fourth argument.
PROBE=${4:+$(realpath "$4")}
# Absolute: the gadget starts in a folder of its own.
WINE_FOLDER=$(realpath -m "$WINE_FOLDER")
export WINE_RUN WINE_FOLDER PROBE
trap 'cleanup; "$WINE_RUN" "$WINE_FOLDER" --stop' EXIT

# The registry entries that make Japanese show: the font links of the
# system's faces, the substitutes of the program's face, and the menu font.
write_font_registry() {
    python3 - "$1" <<'PYTHON'
import struct, sys

def multi(text):
    data = (text + "\0\0").encode("utf-16-le")
    return "hex(7):" + ",".join(f"{b:02x}" for b in data)

link = multi("ipagp.ttf,IPAPGothic")
# LOGFONTW of the menu: 9 points at 96 DPI, regular, Shift JIS.
menu = struct.pack("<5l8B64s", -12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0,
                   "IPAPGothic".encode("utf-16-le").ljust(64, b"\0"))
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]"]
lines += [f'"{face}"={link}' for face in ("Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif")]
lines += ["", r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]",
          '"ＭＳ Ｐゴシック"="IPAPGothic"', '"MS PGothic"="IPAPGothic"', "",
          r"[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]",
          '"MenuFont"=hex:' + ",".join(f"{b:02x}" for b in menu), ""]
with open(sys.argv[1], "w", encoding="utf-16") as file:
    file.write("\r\n".join(lines))
PYTHON
}

# Makes the prefix once: fonts and registry entries in place before any
# program of it draws text.
prepare_prefix() {
    [ -e "$WINE_FOLDER/.japanese" ] && return
    mkdir -p "$WINE_FOLDER"
    write_font_registry "$WORK/fonts.reg"
    "$WINE_RUN" "$WINE_FOLDER" wineboot >/dev/null 2>&1
    cp "$IPA_FONTS"/ipag*.ttf "$WINE_FOLDER/prefix/drive_c/windows/Fonts/"
    "$WINE_RUN" "$WINE_FOLDER" regedit /S "$(winepath_of "$WORK/fonts.reg")" >/dev/null 2>&1 ||
        fail "regedit could not import the font entries"
    "$WINE_RUN" "$WINE_FOLDER" --stop
    touch "$WINE_FOLDER/.japanese"
}

# The Windows path of a file, as Wine's Z: drive shows the Linux root.
winepath_of() {
    echo "Z:${1//\//\\}"
}

# Starts tavlo.exe in folder $1 of the Linux side; sets GADGET_PID (the
# Wine process of the program). Its exit status lands in $WORK/<pid>.status.
start_wine_gadget() {
    start_in "$1" "$WINE_RUN" "$WINE_FOLDER" "$TAVLO"
}

# A desktop of 1024 x 768 with a blue wallpaper and a notification area, and
# the prefix ready. The prefix's server starts afresh on this display: one
# left by a test that was killed would keep its desktop process, and what it
# holds (a capture, the foreground), on the display that test had.
start_wine_desktop() {
    "$WINE_RUN" "$WINE_FOLDER" --stop
    start_desktop 1024x768
    hsetroot -solid '#3060C0' >/dev/null 2>&1 || fail "hsetroot could not paint the root"
    prepare_prefix
}

# tavlo.exe started in $WORK/start, as a first start there, on that desktop.
start_on_wallpaper() {
    start_wine_desktop
    start_wine_gadget "$WORK/start"
}

# The first start at its place; sets SETTINGS_FILE once the gadget made it.
start_first_gadget() {
    start_on_wallpaper
    expect_window_geometry "242x237+759+59"
    wait_until 5 bash -c "ls '$WORK/start/QvrnData/'*.qvn" >/dev/null 2>&1 || fail "no settings file"
    SETTINGS_FILE=$(ls "$WORK/start/QvrnData/"*.qvn)
}

# A right click on the gadget at its first-run place, on the moon: every
# pixel of the picture is drawn, while the key colour's pixels, such as
# those of an empty bar, let a click through to the desktop.
right_click_gadget() {
    xdotool mousemove $((759 + 194)) $((59 + 38)) click 3
}

# The gadget's window: the mapped top-level window titled "Tavlo".
gadget_window() {
    local id
    for id in $(xdotool search --name '^Tavlo$' 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && { echo "$id"; return 0; }
    done
    return 1
}

# Waits for the gadget's window to have geometry $1 ("WxH+X+Y").
expect_window_geometry() {
    if ! wait_until 45 bash -c "id=\$(gadget_window) && [ \"\$(window_geometry \$id)\" = '$1' ]"; then
        fail "window geometry is '$(window_geometry "$(gadget_window)" 2>/dev/null || echo none)', expected '$1'"
    fi
}

# The icons that Wine docked in trayer's panel, one window id a line: the
# XEmbed windows of Wine's explorer.exe, which holds every program's icons.
docked_icons() {
    local panel
    panel=$(tray_panel) || return 0
    xwininfo -id "$panel" -tree | awk '/"explorer.exe"\)/ {print $1}' | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
}

# The top-level windows of tavlo.exe that are mapped: the gadget, and its
# menu while open.
shown_windows() {
    xwininfo -root -children | awk '/\("tavlo.exe" "tavlo.exe"\)/ {print $1}' | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
}

# Runs the console helper with the arguments given; its output without
# the carriage returns of Windows' text mode.
probe() {
    [ -n "$PROBE" ] || fail "no window_probe.exe given"
    "$WINE_RUN" "$WINE_FOLDER" "$PROBE" "$@" | tr -d '\r'
}

# The class of Windows' foreground window, "none" when there is none.
foreground_class() {
    probe foreground
}

export -f gadget_window probe foreground_class docked_icons shown_windows tray_panel
