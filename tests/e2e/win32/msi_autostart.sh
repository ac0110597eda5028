#!/usr/bin/env bash
# The package installed with AUTOSTART=1 in a fresh Wine prefix: besides
# the Start-menu shortcut there is one in the user's Startup folder, with
# the same working folder and icon, and the choice is kept in
# HKCU\Software\Tavlo. The next sign-in (here: a new session of the
# prefix, whose start runs the Startup folder as Windows' does) starts the
# gadget in the settings folder, where it writes its settings file. The
# uninstall while it runs ends it with status 0, as "終了" does, takes both
# shortcuts and the program away and leaves the settings.
#
# Usage: msi_autostart.sh TAVLO_EXE ARTIFACT_DIR MSI PROBE_EXE ICON
source "$(dirname "$0")/../lib.sh"
WINE_FOLDER="$WORK/wine"
source "$(dirname "$0")/wine_gadget.sh"
source "$(dirname "$0")/windows_installer.sh"

start_wine_desktop
find_places

install_package "$MSI" AUTOSTART=1
check_shortcut "$MENU_LINK"
check_shortcut "$STARTUP_LINK"
[ "$(tavlo_value AutoStart)" = 1 ] || fail "the autostart choice is not recorded"
[ ! -e "$SETTINGS_FILE" ] || fail "the installer started the gadget"

# Sign out and in again: the next program of the prefix starts a new
# session, and the session's start runs the Startup folder.
"$WINE_RUN" "$WINE_FOLDER" --stop
windows_variable USERNAME >/dev/null
expect_gadget "242x237+759+59"
screenshot gadget
cp "$SETTINGS_FILE" "$WORK/settings.qvn"

# The uninstall while the gadget runs: the installer asks it to end, as
# "終了" does, before it takes the program away.
watch_gadget
status=$(msiexec_status /x "$(winepath_of "$MSI")" /qn)
[ "$status" = 0 ] || fail "msiexec /x ended with status '$status'"
expect_gadget_end "the uninstall"
check_uninstalled "$WORK/settings.qvn"
echo "PASS $TEST_NAME"
