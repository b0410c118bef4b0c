#!/usr/bin/env bash
# Torvi under a real window manager (openbox on Xvfb), read back as the window manager sees
# it: both browser windows open maximized, and a page with an empty title leaves the title
# bar blank, not the program's name.
set -euo pipefail
torvi="$1"
if [ -z "${TORVI_WM_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env TORVI_WM_DISPLAY=1 "$0" "$@"
fi

home="$(mktemp -d)"
pids=()
failed=0
trap 'kill "${pids[@]}" 2>/dev/null || true; [ "$failed" -eq 0 ] || cat "$home"/*.log; rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/share" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP * ~NOTFOUND"'

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

# Polls for up to 30 s until the command succeeds.
until_true() {
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The program's shown windows, one id a line.
windows_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null || true; }

maximized() { xprop -id "$1" _NET_WM_STATE | grep -q '_NET_WM_STATE_MAXIMIZED_VERT, _NET_WM_STATE_MAXIMIZED_HORZ\|_NET_WM_STATE_MAXIMIZED_HORZ, _NET_WM_STATE_MAXIMIZED_VERT'; }

all_maximized() {
    local ids
    ids="$(windows_of "$1")"
    [ "$(echo "$ids" | grep -c .)" -eq "$2" ] || return 1
    for id in $ids; do maximized "$id" || return 1; done
}

title_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }

# Without an address the main window opens the local test page in a secondary window.
mkdir -p "$home/share/torvi/drive_c/Programmi/Torvi/myModule"
echo '<p>prova</p>' >"$home/share/torvi/drive_c/Programmi/Torvi/myModule/test.html"
"$torvi" >"$home/first.log" 2>&1 &
pids+=($!)
if ! until_true all_maximized "$!" 2; then
    echo "wm: the two windows did not both open maximized:"
    for id in $(windows_of "$!"); do
        echo "  $(title_of "$id"): $(xprop -id "$id" _NET_WM_STATE) $(xwininfo -id "$id" | grep -E 'Width|Height' | tr -s ' \n' ' ')"
    done
    failed=1
fi
kill "$!" 2>/dev/null || true
rm "$home/share/torvi/drive_c/Programmi/Torvi/myModule/test.html"

# A page with an empty title: the caption is empty, and so is what the title bar shows.
printf '<html><head><title></title></head><body>vuota</body></html>' >"$home/vuota.html"
"$torvi" "file://$home/vuota.html" >"$home/second.log" 2>&1 &
pids+=($!)
main=""
until_true eval 'main="$(windows_of '"$!"' | head -1)"; [ -n "$main" ]' || true
page_shown() { [ "$(title_of "$main")" != "Torvi - Personal Secure Browser" ]; }
if ! until_true page_shown || [ "$(title_of "$main")" != " " ]; then
    echo "wm: an empty page title shows as \"$(title_of "$main")\" in the title bar"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "wm: both windows maximized; an empty title leaves the title bar blank"
exit "$failed"
