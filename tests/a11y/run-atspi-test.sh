#!/usr/bin/env bash
# Reads Torvi's accessibility tree through AT-SPI on a private D-Bus session and display.
set -euo pipefail
torvi="$1"
here="$(cd "$(dirname "$0")" && pwd)"
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" \
    bash -c "/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1; /usr/bin/python3 '$here/atspi_tree.py' '$torvi'"
