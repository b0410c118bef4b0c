#!/usr/bin/env bash
# Torvi under a real window manager (openbox on Xvfb), read back as the window manager sees
# it: both browser windows open maximized, and an empty page title leaves the title bar blank.
set -uo pipefail
[ -n "${TORVI_WM:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" env TORVI_WM=1 "$0" "$@"
home="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home" QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP * ~NOTFOUND"'
openbox --sm-disable >/dev/null 2>&1 &
# Polls for up to 30 s until the command succeeds.
within() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; return 1; }
windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null; }
title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^.* = "\(.*\)"$/\1/p'; }
states() { for id in $(windows "$1"); do xprop -id "$id" _NET_WM_STATE; done; }

# Without an address the main window opens the local test page in a secondary window.
mkdir -p "$home/torvi/drive_c/Programmi/Torvi/myModule"
echo prova >"$home/torvi/drive_c/Programmi/Torvi/myModule/test.html"
"$1" >/dev/null 2>&1 &
within '[ "$(states $! | grep -c "MAXIMIZED_VERT.*MAXIMIZED_HORZ\|MAXIMIZED_HORZ.*MAXIMIZED_VERT")" = 2 ]' ||
    { echo "wm: not both windows maximized: $(states $!)"; exit 1; }
kill $!
rm "$home/torvi/drive_c/Programmi/Torvi/myModule/test.html"

echo '<title></title>vuota' >"$home/vuota.html"
"$1" "file://$home/vuota.html" >/dev/null 2>&1 &
within '[ -n "$(windows $!)" ]'
main="$(windows $! | head -1)"
within '[ "$(title "$main")" != "Torvi - Personal Secure Browser" ]'
[ "$(title "$main")" = " " ] || { echo "wm: an empty title shows as \"$(title "$main")\""; exit 1; }
