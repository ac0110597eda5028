# Helpers of the installer's end-to-end tests, sourced after tests/e2e/lib.sh
# and wine_gadget.sh: the package installed with msiexec into a Wine prefix
# of the test's own, made fresh under the test's folder (no test sees what
# another installed), and the gadget started through its shortcuts.
#
# Arguments of the tests: the stripped tavlo.exe that the package carries,
# the artifact folder, the package, the console helper window_probe.exe,
# the icon the build drew, and (for the upgrade) a package of a lower
# version.

command -v msiinfo >/dev/null || { echo "SKIP: msiinfo (msitools) is missing"; exit 77; }
MSI=$(realpath "${3:?usage: TEST.sh TAVLO_EXE ARTIFACT_DIR MSI PROBE_EXE ICON [OLDER_MSI]}")
ICON=$(realpath "${5:?usage: TEST.sh TAVLO_EXE ARTIFACT_DIR MSI PROBE_EXE ICON [OLDER_MSI]}")
OLDER_MSI=${6:+$(realpath "$6")}
# The server goes before the prefix does.
trap '"$WINE_RUN" "$WINE_FOLDER" --stop; cleanup' EXIT

# The version a package installs, from its Property table.
package_version() {
    msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}'
}

# Runs msiexec with the arguments given from a batch file under cmd /c and
# prints its exit status as the batch file sees it in %ERRORLEVEL% (the
# status of a Windows program is 32 bits wide; a Linux shell sees its low
# byte only, 1603 as 67).
msiexec_status() {
    printf '@echo off\r\nmsiexec %%*\r\necho status=%%ERRORLEVEL%%\r\n' >"$WORK/msiexec.cmd"
    # cmd itself ends with that status, which the line printed says in full.
    { "$WINE_RUN" "$WINE_FOLDER" cmd /c "$(winepath_of "$WORK/msiexec.cmd")" "$@" </dev/null 2>/dev/null || true; } |
        tr -d '\r' | sed -n 's/^status=//p'
}

# Installs package $1 with the further msiexec arguments given, quietly;
# fails unless msiexec ends with status 0.
install_package() {
    local package=$1 status
    shift
    status=$(msiexec_status /i "$(winepath_of "$package")" "$@" /qn)
    [ "$status" = 0 ] || fail "msiexec /i $(basename "$package") $* /qn ended with status '$status'"
}

# Value of a variable of the prefix's user's environment (APPDATA,
# LOCALAPPDATA, USERNAME), as Windows programs see it.
windows_variable() {
    "$WINE_RUN" "$WINE_FOLDER" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'
}

# The Linux path of Windows path $1.
linux_path() {
    "$WINE_RUN" "$WINE_FOLDER" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r' | sed 's:/$::'
}

# Where the package puts things, in Windows' and in Linux' spelling; the
# settings file is named after the user. Called once the prefix is made.
find_places() {
    APPDATA_WIN=$(windows_variable APPDATA)
    [ -n "$APPDATA_WIN" ] && [ "$APPDATA_WIN" != %APPDATA% ] || fail "the prefix has no APPDATA"
    SETTINGS_WIN="$APPDATA_WIN\\Tavlo"
    SETTINGS_DIR=$(linux_path "$SETTINGS_WIN")
    PROGRAM_DIR="$(linux_path "$(windows_variable LOCALAPPDATA)")/Programs/Tavlo"
    MENU_DIR="$(linux_path "$APPDATA_WIN")/Microsoft/Windows/Start Menu/Programs"
    MENU_LINK="$MENU_DIR/Tavlo.lnk"
    # Wine spells the Startup folder "StartUp"; Windows matches either.
    STARTUP_LINK="$MENU_DIR/StartUp/Tavlo.lnk"
    SETTINGS_FILE="$SETTINGS_DIR/QvrnData/$(windows_variable USERNAME).qvn"
}

# A field of shortcut file $2 as stored in it (the Shell Link format's
# string data): "workdir", "icon", "description", or "target", the local
# path of its link information.
shortcut_field() {
    python3 - "$1" "$2" <<'PYTHON'
import struct, sys

field, path = sys.argv[1], sys.argv[2]
data = open(path, "rb").read()
if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 0x4C:
    sys.exit(f"{path} is no shell link")
flags = struct.unpack_from("<I", data, 20)[0]
position = 76
if flags & 0x1:  # a target ID list
    position += 2 + struct.unpack_from("<H", data, position)[0]
fields = {}
if flags & 0x2:  # link information
    size, header, info_flags, _, base = struct.unpack_from("<5I", data, position)
    if info_flags & 0x1:
        if header >= 0x24:
            start = position + struct.unpack_from("<I", data, position + 28)[0]
            end = data.index(b"\0\0", start)
            end += (end - start) % 2
            fields["target"] = data[start:end].decode("utf-16-le")
        else:
            start = position + base
            fields["target"] = data[start:data.index(b"\0", start)].decode("latin-1")
    position += size
unicode = bool(flags & 0x80)
for bit, name in ((0x4, "description"), (0x8, "relative"), (0x10, "workdir"), (0x20, "arguments"), (0x40, "icon")):
    if flags & bit:
        count = struct.unpack_from("<H", data, position)[0]
        position += 2
        length = count * 2 if unicode else count
        fields[name] = data[position:position + length].decode("utf-16-le" if unicode else "latin-1").rstrip("\0")
        position += length
print(fields.get(field, ""))
PYTHON
}

# Windows paths compared without case and without a trailing backslash.
same_windows_path() {
    local a=${1%\\} b=${2%\\}
    [ "${a,,}" = "${b,,}" ]
}

# Checks shortcut $1: it starts the installed tavlo.exe in the settings
# folder, with the icon the build drew.
check_shortcut() {
    local link=$1 workdir icon target
    [ -f "$link" ] || fail "no shortcut $link"
    workdir=$(shortcut_field workdir "$link") || fail "cannot read $link"
    same_windows_path "$workdir" "$SETTINGS_WIN" ||
        fail "the shortcut $(basename "$(dirname "$link")")/Tavlo.lnk starts in '$workdir', not in '$SETTINGS_WIN'"
    target=$(shortcut_field target "$link")
    if [ -n "$target" ]; then
        [ "$(linux_path "$target")" = "$PROGRAM_DIR/tavlo.exe" ] || fail "the shortcut starts '$target'"
    fi
    icon=$(shortcut_field icon "$link")
    [ -n "$icon" ] || fail "the shortcut has no icon"
    cmp -s "$(linux_path "$icon")" "$ICON" || fail "the shortcut's icon '$icon' is not the program's icon"
}

# The uninstall entries that "Apps & features" lists, as Wine's own list
# of them shows: "{product code}|||name", one a line.
apps_entries() {
    "$WINE_RUN" "$WINE_FOLDER" uninstaller --list </dev/null 2>/dev/null | tr -d '\r' | grep '|||Tavlo$' || true
}

# "name|version|publisher" of each uninstall key whose display name is
# Tavlo, for the user and for the machine (Wine keeps a per-user
# product's entry with the machine's).
uninstall_keys() {
    local root
    for root in HKCU HKLM; do
        "$WINE_RUN" "$WINE_FOLDER" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s \
            </dev/null 2>/dev/null | tr -d '\r'
    done | awk '/^HKEY_/ {if (name == "Tavlo") print name "|" version "|" publisher; name = version = publisher = ""}
        $1 == "DisplayName" {name = $3} $1 == "DisplayVersion" {version = $3}
        $1 == "Publisher" {$1 = $2 = ""; sub(/^ +/, ""); publisher = $0}
        END {if (name == "Tavlo") print name "|" version "|" publisher}'
}

# Checks that "Apps & features" lists Tavlo once, as version $1 with its
# publisher and the program's icon.
check_apps_entry() {
    local entries icon
    entries=$(apps_entries)
    [ "$(grep -c . <<<"$entries")" = 1 ] ||
        fail "Apps & features lists Tavlo $(grep -c . <<<"$entries") times: $entries"
    [ "$(uninstall_keys)" = "Tavlo|$1|Tavlo developers" ] ||
        fail "the uninstall entry is '$(uninstall_keys)', expected 'Tavlo|$1|Tavlo developers'"
    icon=$("$WINE_RUN" "$WINE_FOLDER" reg query 'HKCU\Software\Microsoft\Installer\Products' /s /v ProductIcon \
        </dev/null 2>/dev/null | tr -d '\r' | awk '$1 == "ProductIcon" {$1 = $2 = ""; sub(/^ +/, ""); print}')
    [ -n "$icon" ] || fail "the product has no icon"
    cmp -s "$(linux_path "$icon")" "$ICON" || fail "the product's icon '$icon' is not the program's icon"
}

# A value under HKCU\Software\Tavlo, empty when there is none.
tavlo_value() {
    "$WINE_RUN" "$WINE_FOLDER" reg query 'HKCU\Software\Tavlo' /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name {print $3}'
}

# Starts shortcut $1 as the shell does, in its working folder. Wine's
# start returns before the program runs: callers wait for its window.
start_shortcut() {
    "$WINE_RUN" "$WINE_FOLDER" start /unix "$1" </dev/null >/dev/null 2>&1 || fail "start could not open $1"
}

# Waits for the gadget's window at geometry $1 and for its settings file.
expect_gadget() {
    expect_window_geometry "$1"
    wait_until 10 test -f "$SETTINGS_FILE" || fail "the gadget wrote no $SETTINGS_FILE"
}

# Starts watching the running gadget: a program that a shortcut started is
# no child of this shell, so the console helper holds its process and
# reports its exit status.
watch_gadget() {
    "$WINE_RUN" "$WINE_FOLDER" "$PROBE" wait-exit frmDTMn 60 </dev/null >"$WORK/exit.txt" 2>&1 &
    PIDS+=($!)
    wait_until 20 grep -q watching "$WORK/exit.txt" || fail "cannot watch the gadget: $(tr -d '\r' <"$WORK/exit.txt")"
}

# Waits for the watched gadget to end, after $1; checks that it ended with
# status 0 and took its icon along.
expect_gadget_end() {
    local status
    wait_until 15 grep -q '^exit' "$WORK/exit.txt" || fail "the gadget still runs after $1"
    status=$(tr -d '\r' <"$WORK/exit.txt" | sed -n 's/^exit //p')
    [ "$status" = 0 ] || fail "$1 ended the gadget with status $status"
    wait_until 5 bash -c '[ -z "$(docked_icons)" ]' || fail "the icon is left in the notification area after $1"
}

# Picks "終了" in the menu of the gadget's icon; checks that the gadget
# ends with status 0 and takes its icon along.
quit_gadget() {
    local icon x y
    watch_gadget
    wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"
    icon=$(docked_icons | head -n 1)
    read -r x y <<<"$(window_centre "$icon")"
    xdotool mousemove "$x" "$y" click 3
    wait_until 10 bash -c '[ $(shown_windows | wc -l) -ge 2 ]' || fail "the right click on the icon opened no menu"
    wait_until 10 bash -c '[[ "$(probe gui frmDTMnMenu)" != *menu=none* ]]' ||
        fail "the menu does not take the keyboard: $(probe gui frmDTMnMenu)"
    screenshot menu
    # Up from the top of a fresh menu lands on its last entry, "終了".
    xdotool key --delay 150 Up Return
    expect_gadget_end 終了
}

# Checks what an uninstall leaves: no program, no shortcuts, no entry in
# "Apps & features", no value of its own in HKCU; the settings folder and
# file as they were (a copy in $1).
check_uninstalled() {
    [ ! -e "$PROGRAM_DIR" ] || fail "the uninstall left $PROGRAM_DIR: $(ls -A "$PROGRAM_DIR")"
    [ ! -e "$MENU_LINK" ] || fail "the uninstall left the Start-menu shortcut"
    [ ! -e "$STARTUP_LINK" ] || fail "the uninstall left the Startup shortcut"
    [ -z "$(apps_entries)" ] || fail "Apps & features still lists Tavlo: $(apps_entries)"
    [ -z "$(tavlo_value AutoStart)$(tavlo_value Program)" ] || fail "the uninstall left values in HKCU\\Software\\Tavlo"
    cmp -s "$SETTINGS_FILE" "$1" || fail "the uninstall changed or removed the settings file"
}
