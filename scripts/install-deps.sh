#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tavlo need.
# Idempotent: packages already installed are left alone, and apt is only asked
# when something is missing. Every dependency of the project is listed here.
set -euo pipefail

packages=(
    # build
    build-essential cmake pkg-config
    qt6-base-dev qt6-qpa-plugins libxcb1-dev libxcb-shape0-dev
    libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # runtime: a face drawn to the metrics of the Windows "ＭＳ Ｐゴシック"
    fonts-ipafont-gothic
    # tests: a headless X desktop with a notification area, a compositor and
    # the tools that drive it and take screenshots
    xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick hsetroot
    trayer picom openbox xclip
    # a StatusNotifierItem panel on a session bus, as today's desktops have
    dbus-x11 haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils
    # fuzzing: clang's libFuzzer and sanitizer runtimes; clang-tidy
    clang libclang-rt-14-dev clang-tidy
    # Qt's own texts in Japanese
    qt6-translations-l10n
    # benchmarks: the reference gadget the whole-process measurement compares with
    conky-std
)

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
