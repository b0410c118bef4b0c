#!/usr/bin/env bash
# Torvi under a real window manager (openbox on Xvfb), read back as the window manager sees
# it: both browser windows open maximized, and an empty page title leaves the title bar blank.
set -uo pipefail
torvi="$1"
[ -n "${TORVI_WM_DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" env TORVI_WM_DISPLAY=1 "$0" "$@"
home="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/share" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP * ~NOTFOUND"'
openbox --sm-disable >/dev/null 2>&1 &

# Polls for up to 30 s until the command succeeds.
within() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null; }
title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
maximized() {
    [ "$(windows "$1" | wc -l)" -eq "$2" ] || return 1
    for id in $(windows "$1"); do
        state="$(xprop -id "$id" _NET_WM_STATE)"
        [[ "$state" == *MAXIMIZED_VERT* && "$state" == *MAXIMIZED_HORZ* ]] || return 1
    done
}
failed=0

# Without an address the main window opens the local test page in a secondary window.
mkdir -p "$home/share/torvi/drive_c/Programmi/Torvi/myModule"
echo '<p>prova</p>' >"$home/share/torvi/drive_c/Programmi/Torvi/myModule/test.html"
"$torvi" >/dev/null 2>&1 &
if ! within maximized $! 2; then
    echo "wm: not both windows maximized:"
    for id in $(windows $!); do echo "  $(title "$id"): $(xprop -id "$id" _NET_WM_STATE)"; done
    failed=1
fi
kill $!
rm "$home/share/torvi/drive_c/Programmi/Torvi/myModule/test.html"

printf '<html><head><title></title></head><body>vuota</body></html>' >"$home/vuota.html"
"$torvi" "file://$home/vuota.html" >/dev/null 2>&1 &
within windows $! >/dev/null
main="$(windows $! | head -1)"
within eval '[ "$(title "$main")" != "Torvi - Personal Secure Browser" ]'
if [ "$(title "$main")" != " " ]; then
    echo "wm: an empty page title shows as \"$(title "$main")\" in the title bar"
    failed=1
fi
[ "$failed" -ne 0 ] || echo "wm: both windows maximized; an empty title leaves the title bar blank"
exit "$failed"
