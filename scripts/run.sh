#!/usr/bin/env bash
# Starts the built browser; everything after the script name is its command line.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "make run: no display to open a window on. Try it headless with: xvfb-run make run" >&2
    exit 1
fi
exec "$here/build/torvi" "$@"
