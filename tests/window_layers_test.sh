#!/bin/sh
# Torvi tests: the window folders' includes point down. A subsystem's qt/ folder may include
# its own qt/ folder and the shared window layer ui/qt; ui/qt includes no other qt/ folder;
# only the program's assembly, app/qt, includes them all.
# Usage: window_layers_test.sh SRC_DIR
cd "$1" || exit 2
status=0
for file in $(find . -path './*/qt/*' \( -name '*.h' -o -name '*.cpp' \) | sort); do
    folder=$(echo "$file" | cut -d/ -f2)
    for used in $(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([A-Za-z0-9_]*\)/qt/.*|\1|p' "$file"); do
        if [ "$used" != "$folder" ] && [ "$used" != ui ] && [ "$folder" != app ]; then
            echo "${file#./} includes $used/qt/"
            status=1
        fi
    done
done
exit $status
