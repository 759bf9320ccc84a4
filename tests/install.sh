#!/usr/bin/env bash
# Installs the build into a staging folder and checks that the program, its desktop entry and
# its icons are in the standard places, and that the desktop entry is valid.
#   install.sh BUILD_DIR
set -euo pipefail
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$1" --prefix "$stage" >/dev/null
expected=(
    bin/pendulum
    share/applications/pendulum.desktop
    share/icons/hicolor/32x32/apps/pendulum.png
    share/icons/hicolor/48x48/apps/pendulum.png
    share/icons/hicolor/64x64/apps/pendulum.png
    share/icons/hicolor/128x128/apps/pendulum.png
    share/icons/hicolor/256x256/apps/pendulum.png
)
for f in "${expected[@]}"; do
    [ -f "$stage/$f" ] || { echo "FAIL: $f not installed" >&2; exit 1; }
done
[ -x "$stage/bin/pendulum" ] || { echo "FAIL: the program is not executable" >&2; exit 1; }
for size in 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$stage/share/icons/hicolor/${size}x${size}/apps/pendulum.png")
    [ "$got" = "${size}x${size}" ] || { echo "FAIL: the $size icon is $got" >&2; exit 1; }
done
desktop-file-validate --no-hints "$stage/share/applications/pendulum.desktop"
grep -q '^Name\[ja\]=' "$stage/share/applications/pendulum.desktop"
grep -q '^Categories=Education;Science;$' "$stage/share/applications/pendulum.desktop"
echo "1 passed, 0 failed"
