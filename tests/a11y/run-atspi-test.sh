#!/usr/bin/env bash
# Reads Torvi's accessibility tree through AT-SPI on a private D-Bus session and display.
# Torvi looks for the accessibility bus once, when it starts: the bus must be up before.
here="$(cd "$(dirname "$0")" && pwd)"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP * ~NOTFOUND"'
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    until dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; do
        sleep 0.1
    done
    /usr/bin/python3 '$here/atspi_tree.py' '$1'"
