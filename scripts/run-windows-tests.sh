#!/usr/bin/env bash
# Runs the cross-compiled Windows unit tests under Wine, in a throw-away prefix beside them.
# Usage: run-windows-tests.sh path/to/torvi_unit_tests.exe [GoogleTest arguments...]
# Exits with the tests' status; 77 (skipped, with the reason) when the executable is not built.
set -euo pipefail

exe=${1:?usage: $0 torvi_unit_tests.exe [arguments...]}
shift
wine=/usr/lib/wine/wine64

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
export WINEDEBUG=-all
# No Gecko or Mono installer prompts: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Console programs need no display; without one Wine never tries to open a window.
unset DISPLAY WAYLAND_DISPLAY

# A fresh prefix is set up once; system.reg is written when that has finished.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run-windows-tests: creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init >"$build_dir/wineboot.log" 2>&1 || {
        cat "$build_dir/wineboot.log" >&2
        exit 1
    }
    # wineboot returns before the server has saved the registry; wait for it.
    wineserver=/usr/lib/wine/wineserver64
    [ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
    "$wineserver" -w
fi

exec "$wine" "$exe" "$@"
