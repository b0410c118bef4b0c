#!/usr/bin/python3
"""Starts Torvi and reads its accessibility tree through AT-SPI, as a screen reader would:
every button, text box, list and status bar of the main window carries a name, and the
verdict on a page with a threat keyword is read out. Run by run-atspi-test.sh, on a private
D-Bus session, in the test's home."""

import os
import subprocess
import sys
import time

import pyatspi

R = pyatspi
NAMED = {R.ROLE_PUSH_BUTTON, R.ROLE_TEXT, R.ROLE_ENTRY, R.ROLE_LIST, R.ROLE_TREE_TABLE,
         R.ROLE_TABLE, R.ROLE_STATUS_BAR, R.ROLE_PANEL}


def walk(node, depth=0):
    yield node
    for child in node if depth < 12 else []:
        if child is not None:
            yield from walk(child, depth + 1)


R.Registry.getDesktop(0).childCount  # the registry is awake before Torvi looks for it
page = os.environ["HOME"] + "/pagina.html"
with open(page, "w") as f:
    f.write("<title>Prova</title><p>un exploit</p>")
torvi = subprocess.Popen([sys.argv[1], "file://" + page])
try:
    for _ in range(120):
        app = next((a for a in R.Registry.getDesktop(0) if a and a.name == "torvi"), None)
        if app:
            break
        time.sleep(0.5)
    else:
        sys.exit("atspi: Torvi never appeared on the accessibility bus")
    verdict = "Sicurezza della pagina: Dati Sensibili"
    for _ in range(60):
        time.sleep(0.5)
        labels = [n.name for n in walk(app) if n.getRole() == R.ROLE_LABEL]
        if verdict in labels:
            break
    nodes = [n for n in walk(app) if n.getRole() in NAMED]
    unnamed = [f"{n.getRoleName()} in {n.parent.name!r}" for n in nodes if not n.name.strip()]
    print(f"atspi: {len(nodes)} controls, unnamed: {unnamed}, verdict read: {verdict in labels}")
    sys.exit(1 if unnamed or len(nodes) < 20 or verdict not in labels else 0)
finally:
    torvi.terminate()
    torvi.wait(10)
