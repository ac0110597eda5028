#!/usr/bin/env bash
# Installs the Debian packages of the groups named (runtime, build, windows,
# test, bench; all of them when none is named). Idempotent: packages already
# installed are left alone, and apt is only asked when something is missing.
# Every dependency of the project is listed here.
#
# Usage: scripts/install-deps.sh [runtime] [build] [windows] [test] [bench]
set -euo pipefail

# What the installed program needs: Qt's widgets, its X11 platform plugin and
# Japanese texts, a face drawn to the metrics of the Windows "ＭＳ Ｐゴシック",
# SQLite for the browsers' history, the X shape extension.
runtime=(
    libqt6widgets6 libqt6dbus6 qt6-qpa-plugins qt6-translations-l10n
    fonts-ipafont-gothic libsqlite3-0 libxcb-shape0
)
build=(
    build-essential cmake pkg-config
    qt6-base-dev libxcb1-dev libxcb-shape0-dev libsqlite3-dev
)
# The Windows side: mingw-w64 (posix threads); Wine, which runs the build's
# icon program and the tests, with the X libraries its display driver
# loads; wixl for the Windows Installer package and msitools to look into
# one.
windows=(
    g++-mingw-w64-x86-64-posix wine wine64 fonts-wine libgnutls30 libxrender1 libxcursor1 libxi6
    libxrandr2 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
    wixl msitools
)
test=(
    libgtest-dev libgmock-dev googletest  # the sources too, built for Windows
    # a headless X desktop with a notification area, a compositor and the
    # tools that drive it and take screenshots
    xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick hsetroot
    trayer picom openbox xclip
    # window managers that give new windows the focus: mutter on X, and sway,
    # a Wayland compositor, with its XWayland
    mutter sway xwayland
    # a StatusNotifierItem panel on a session bus, as today's desktops have
    dbus-x11 haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils
    # fuzzing (clang's libFuzzer and sanitizer runtimes) and clang-tidy
    clang libclang-rt-14-dev clang-tidy
    # the validators of the package's desktop entry and metainfo
    desktop-file-utils appstream
    # the Windows side, built and tested under Wine
    "${windows[@]}"
)
# The micro-benchmarks.
bench=(libbenchmark-dev)

groups=("$@")
((${#groups[@]} > 0)) || groups=(runtime build windows test bench)
packages=()
for group in "${groups[@]}"; do
    case "$group" in
    runtime) packages+=("${runtime[@]}") ;;
    build) packages+=("${build[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    test) packages+=("${test[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    *)
        echo "install-deps: no group \"$group\" (runtime, build, windows, test, bench)" >&2
        exit 2
        ;;
    esac
done

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: root is needed to install packages (run as root or with sudo)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
