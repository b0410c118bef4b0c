#!/usr/bin/python3
"""Starts Torvi under a private D-Bus session and reads its accessibility tree through
AT-SPI, as a screen reader would: every push button, text box, list and status panel of the
main window must carry a name, and the status bar's verdict on a page with a threat keyword
must be read out. Run by tests/a11y/run-atspi-test.sh."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

ROLES_NEEDING_NAMES = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_STATUS_BAR,
    pyatspi.ROLE_PANEL,
}

EXPECTED_BUTTONS = {
    "Vai indietro", "Vai avanti", "Aggiorna la pagina", "Vai alla home",
    "Cerca con google", "Informazioni", "Nuova Finestra", "Vai", "Menu",
}

VERDICT = "Sicurezza della pagina: Dati Sensibili"


def find_application(name, deadline):
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    return None


def walk(node, depth=0):
    yield node, depth
    if depth > 12:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    torvi = sys.argv[1]
    home = tempfile.mkdtemp(prefix="torvi-atspi-")
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=home + "/share",
               XDG_CONFIG_HOME=home + "/config", XDG_CACHE_HOME=home + "/cache",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP * ~NOTFOUND"')
    page = os.path.join(home, "page.html")
    with open(page, "w") as f:
        f.write("<html><head><title>Prova</title></head><body><p>un exploit</p></body></html>")
    # Wake the registry before Torvi starts, so its first look finds the tree ready.
    pyatspi.Registry.getDesktop(0).childCount
    process = subprocess.Popen([torvi, "file://" + page], env=env)
    try:
        app = find_application("torvi", time.time() + 60)
        if app is None:
            print("atspi: Torvi never appeared on the accessibility bus")
            return 1
        verdict = None
        deadline = time.time() + 60
        while verdict != VERDICT and time.time() < deadline:
            time.sleep(0.5)
            verdicts = [node.name for node, _ in walk(app)
                        if node.getRole() == pyatspi.ROLE_LABEL
                        and node.name.startswith("Sicurezza della pagina")]
            verdict = verdicts[0] if verdicts else None
        unnamed, buttons = [], set()
        for node, _ in walk(app):
            role = node.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON:
                buttons.add(node.name)
            if role in ROLES_NEEDING_NAMES and not node.name.strip():
                # Web content inside the engine names itself from the page.
                unnamed.append(f"{node.getRoleName()} under {node.parent.name!r}")
        missing = EXPECTED_BUTTONS - buttons
        for line in unnamed:
            print("atspi: unnamed", line)
        for name in sorted(missing):
            print("atspi: no button named", repr(name))
        if verdict != VERDICT:
            print(f"atspi: the verdict reads {verdict!r}, not {VERDICT!r}")
        print(f"atspi: {len(buttons)} buttons, {len(unnamed)} unnamed controls")
        return 1 if unnamed or missing or verdict != VERDICT else 0
    finally:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()


if __name__ == "__main__":
    sys.exit(main())
