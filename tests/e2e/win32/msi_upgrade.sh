#!/usr/bin/env bash
# An upgrade in a fresh Wine prefix: a package of a lower version installed
# with AUTOSTART=1, the settings folder holding a record that places the
# gadget, the gadget started through the Start-menu shortcut and running;
# then the package of this build installed over it without AUTOSTART.
# The upgrade ends the gadget with status 0, as "終了" does, ends itself
# with status 0, and "Apps & features" lists Tavlo once,
# as the new version; the settings file is byte for byte as before, the
# Startup shortcut and the recorded choice are kept. Installing the lower
# version again is refused with status 1603 and changes nothing. Started
# through the Startup shortcut, the gadget comes up at its saved place and
# "終了" ends it with status 0; the uninstall leaves the settings.
#
# Usage: msi_upgrade.sh TAVLO_EXE ARTIFACT_DIR MSI PROBE_EXE ICON OLDER_MSI
source "$(dirname "$0")/../lib.sh"
WINE_FOLDER="$WORK/wine"
source "$(dirname "$0")/wine_gadget.sh"
source "$(dirname "$0")/windows_installer.sh"
[ -n "$OLDER_MSI" ] || fail "no package of a lower version given"

start_wine_desktop
find_places
version=$(package_version "$MSI")
older=$(package_version "$OLDER_MSI")

install_package "$OLDER_MSI" AUTOSTART=1
check_apps_entry "$older"
check_shortcut "$STARTUP_LINK"

# A record that places the window at (200, 100): WTop 1500 and WLeft 3000
# twips, both blocks shown.
mkdir -p "$(dirname "$SETTINGS_FILE")"
write_record "$SETTINGS_FILE" 0 1500 6 3000 224 on 230 on
cp "$SETTINGS_FILE" "$WORK/settings.qvn"
start_shortcut "$MENU_LINK"
expect_gadget "242x237+200+100"

# The upgrade while the gadget runs: the installer asks it to end, as
# "終了" does, before it replaces the program.
watch_gadget
install_package "$MSI"
expect_gadget_end "the upgrade"
check_apps_entry "$version"
cmp -s "$PROGRAM_DIR/tavlo.exe" "$TAVLO" || fail "the upgrade left no tavlo.exe of this build"
check_shortcut "$MENU_LINK"
check_shortcut "$STARTUP_LINK"
[ "$(tavlo_value AutoStart)" = 1 ] || fail "the upgrade lost the autostart choice"
cmp -s "$SETTINGS_FILE" "$WORK/settings.qvn" || fail "the upgrade changed the settings file"

# A downgrade is refused with the standard message's status and leaves
# the installed version alone.
status=$(msiexec_status /i "$(winepath_of "$OLDER_MSI")" /qn)
[ "$status" = 1603 ] || fail "installing the lower version over this one ended with status '$status', not 1603"
check_apps_entry "$version"
cmp -s "$PROGRAM_DIR/tavlo.exe" "$TAVLO" || fail "the refused downgrade changed tavlo.exe"
check_shortcut "$STARTUP_LINK"

start_shortcut "$STARTUP_LINK"
expect_gadget "242x237+200+100"
screenshot upgraded
quit_gadget
cmp -s "$SETTINGS_FILE" "$WORK/settings.qvn" || fail "the settings file changed"

status=$(msiexec_status /x "$(winepath_of "$MSI")" /qn)
[ "$status" = 0 ] || fail "msiexec /x ended with status '$status'"
check_uninstalled "$WORK/settings.qvn"
echo "PASS $TEST_NAME"
