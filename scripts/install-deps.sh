#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Torvi needs.
# Idempotent: asks apt only for what is missing, and uses sudo only when not root.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config make clang-format
    # Qt 6 and its engine
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    libqt6webenginecore6-bin qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
    libgl-dev libegl-dev libxkbcommon-dev
    # Qt's own texts (message box buttons, dialogs) in Italian
    qt6-translations-l10n
    # the Debian package: icons rendered from the logo, dependency scan, metadata check
    librsvg2-bin dpkg-dev appstream
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth openssl fonts-dejavu-core python3
    # the sanitizer build and the fuzz targets: clang with its fuzzer and sanitizer runtimes
    clang-14 libclang-rt-14-dev
    desktop-file-utils xdg-utils
    # reading the running program's accessibility tree
    at-spi2-core python3-pyatspi dbus dbus-bin dbus-daemon
    # the windows as a window manager sees them: a window manager and tools that read its view
    openbox x11-utils xdotool
    # the core cross-compiled for Windows, its unit tests run under Wine
    g++-mingw-w64-x86-64-posix wine64
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
