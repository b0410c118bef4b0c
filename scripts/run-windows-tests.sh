#!/usr/bin/env bash
# Runs the cross-compiled Windows unit tests under Wine, in a throw-away prefix beside them.
# Usage: run-windows-tests.sh path/to/torvi_unit_tests.exe [GoogleTest arguments...]
# Exits with the tests' status; 77 (skipped, with the reason) when the executable is not built
# or when this machine's Wine cannot start an x86-64 Windows program at all.
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
# Debian's wine64 runs Windows programs of the host's own architecture only: on an ARM
# machine the MinGW build cross-compiles fine, but Wine has no x86-64 system libraries to
# start it with ("could not load kernel32.dll").
if ! compgen -G "/usr/lib/*/wine/x86_64-windows/kernel32.dll" >/dev/null; then
    echo "run-windows-tests: skipped: this machine's Wine cannot run x86-64 Windows programs" \
        "(host: $(uname -m))"
    exit 77
fi

build_dir=$(cd "$(dirname "$exe")/.." && pwd)
export WINEPREFIX="$build_dir/wineprefix"
boot_log="$build_dir/wineboot.log"
run_log="$build_dir/wine-tests.log"

# A home of its own, like every other test: nothing Wine writes reaches the user's files.
home=$(mktemp -d "${TMPDIR:-/tmp}/torvi-wine-XXXXXX")
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
export XDG_CACHE_HOME="$home/.cache"
# The ANSI code page follows the locale; a fixed one makes the runs alike on every machine.
export LANG=C.UTF-8
unset LC_ALL
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

# Makes the prefix, once more from scratch when the first try fails; system.reg is written
# when a prefix is complete.
make_prefix() {
    local attempt status
    for attempt in 1 2; do
        echo "run-windows-tests: creating the Wine prefix $WINEPREFIX"
        status=0
        create_prefix || status=$?
        [ "$status" -eq 0 ] && [ -f "$WINEPREFIX/system.reg" ] && return 0
        echo "run-windows-tests: the Wine prefix was not made (wineboot --init exit status" \
            "$status); $boot_log:" >&2
        cat "$boot_log" >&2
        [ "$attempt" -eq 2 ] || echo "run-windows-tests: trying once more from scratch" >&2
    done
    "$wineserver" -k 9>&- 2>/dev/null || true
    return 1
}

# Runs the tests, their output both shown and kept; answers Wine's exit status.
run_tests() {
    local status=0
    "$wine" "$exe" "$@" 9>&- 2>&1 | tee "$run_log" || status=${PIPESTATUS[0]}
    return "$status"
}

# Wine's loader failing before the first test ran is Wine's fault, not the tests'.
loader_failed() { grep -q "could not load kernel32.dll" "$run_log"; }

[ -f "$WINEPREFIX/system.reg" ] || make_prefix
export WINEDEBUG=-all
status=0
run_tests "$@" || status=$?
if [ "$status" -ne 0 ] && loader_failed; then
    # Seen once on a fresh machine: the loader failed in a new prefix beside the build. The
    # second try changes the places Wine reads from: a new prefix and a copy of the tests in
    # the temporary home, with Wine's errors shown.
    echo "run-windows-tests: Wine could not start the tests (exit status $status); once more" \
        "with a new prefix and a copy of the tests in $home" >&2
    "$wineserver" -k 9>&- 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    export WINEPREFIX="$home/wineprefix"
    boot_log="$build_dir/wineboot-retry.log"
    cp "$exe" "$home/"
    exe="$home/$(basename "$exe")"
    make_prefix
    export WINEDEBUG=fixme-all,err+all,warn+module
    status=0
    run_tests "$@" || status=$?
    "$wineserver" -k 9>&- 2>/dev/null || true
    if [ "$status" -ne 0 ] && loader_failed; then
        echo "run-windows-tests: skipped: Wine cannot start a Windows program on this" \
            "machine (exit status $status; the prefixes' logs: $build_dir/wineboot*.log)"
        exit 77
    fi
fi
exit "$status"
