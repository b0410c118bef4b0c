#!/usr/bin/env bash
# Reads Torvi's accessibility tree through AT-SPI on a private D-Bus session and display.
set -euo pipefail
torvi="$1"
here="$(cd "$(dirname "$0")" && pwd)"
# Torvi looks for the accessibility bus once, when it starts: the bus and its registry must
# be up before it is launched, or it never joins the tree.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    for i in \$(seq 1 100); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
        sleep 0.1
    done
    /usr/bin/python3 '$here/atspi_tree.py' '$torvi'"
