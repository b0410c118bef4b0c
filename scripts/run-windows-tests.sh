#!/usr/bin/env bash
# Runs the cross-compiled Windows unit tests under Wine, in a throw-away prefix beside them.
# Usage: run-windows-tests.sh path/to/torvi_unit_tests.exe [GoogleTest arguments...]
# Exits with the tests' status; 77 (skipped, with the reason) when the executable is not built.
set -euo pipefail

exe=${1:?usage: $0 torvi_unit_tests.exe [arguments...]}
shift
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

if [ ! -f "$exe" ]; then
    echo "run-windows-tests: $exe is not built; 'make test' builds it (cmake --build --preset windows)"
    exit 77
fi
if [ ! -x "$wine" ]; then
    echo "run-windows-tests: $wine is missing; scripts/install-deps.sh installs wine64" >&2
    exit 1
fi

build_dir=$(cd "$(dirname "$exe")/.." && pwd)
export WINEPREFIX="$build_dir/wineprefix"
boot_log="$build_dir/wineboot.log"

# A home of its own, like every other test: nothing Wine writes reaches the user's files.
home=$(mktemp -d "${TMPDIR:-/tmp}/torvi-wine-XXXXXX")
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
export XDG_CACHE_HOME="$home/.cache"
# No Gecko or Mono installer prompts, no menu entries or file associations for the programs
# of the prefix, and no desktop process: nothing here needs them. Without a display the
# desktop process cannot start anyway, but Wine waits up to 10 s for it to say so, and a
# first start on a cold, busy machine may take that long to fail.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;explorer.exe=d"
# Console programs need no display; without one Wine never tries to open a window.
unset DISPLAY WAYLAND_DISPLAY

# One run at a time per prefix: a second one would find a half-made prefix, or change the
# registry under the first one's tests. Wine's own processes do not inherit the lock (9>&-),
# so a wine server lingering after a run does not hold up the next one.
exec 9>"$build_dir/wineprefix.lock"
flock 9

# Makes the prefix anew. Errors of every kind and failed module loads go to the log, so a
# failing first run says why; wineboot returns before the server has saved the registry,
# so the server is waited for.
create_prefix() {
    "$wineserver" -k 9>&- 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    local status=0
    WINEDEBUG=fixme-all,err+all,warn+module "$wine" wineboot --init >"$boot_log" 2>&1 9>&- ||
        status=$?
    if [ "$status" -eq 0 ]; then
        "$wineserver" -w 9>&- || status=$?
    fi
    return "$status"
}

# system.reg is written when a prefix is complete.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    for attempt in 1 2; do
        echo "run-windows-tests: creating the Wine prefix $WINEPREFIX"
        status=0
        create_prefix || status=$?
        [ "$status" -eq 0 ] && [ -f "$WINEPREFIX/system.reg" ] && break
        echo "run-windows-tests: the Wine prefix was not made (wineboot --init exit status" \
            "$status); $boot_log:" >&2
        cat "$boot_log" >&2
        if [ "$attempt" -eq 2 ]; then
            "$wineserver" -k 9>&- 2>/dev/null || true
            exit 1
        fi
        echo "run-windows-tests: trying once more from scratch" >&2
    done
fi

export WINEDEBUG=-all
status=0
"$wine" "$exe" "$@" 9>&- || status=$?
exit "$status"
