#!/bin/sh
# Torvi tests: the window folders' includes point down. A subsystem's qt/ folder includes only
# its own qt/ folder and the shared window layer ui/qt, which includes no other; only the
# program's assembly, app/qt, includes them all. Usage: window_layers_test.sh SRC_DIR
cd "$1" && ! grep -rE '^ *# *include *"[a-z_]+/qt/' --include='*.h' --include='*.cpp' . |
    grep -vE '^\./app/qt/|^\./([a-z_]+)/[^:]*:[^"]*"(\1|ui)/qt/'
