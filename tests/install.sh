#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
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
    share/metainfo/invalid.pendulum.simulator.metainfo.xml
    share/icons/hicolor/scalable/apps/pendulum.svg
    share/man/man1/pendulum.1.gz
    share/doc/pendulum/copyright
    share/doc/pendulum/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/pendulum.png")
done
for f in "${expected[@]}"; do
    [ -f "$stage/$f" ] || { echo "FAIL: $f not installed" >&2; exit 1; }
done
[ -x "$stage/bin/pendulum" ] || { echo "FAIL: the program is not executable" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$stage/share/icons/hicolor/${size}x${size}/apps/pendulum.png")
    [ "$got" = "${size}x${size}" ] || { echo "FAIL: the $size icon is $got" >&2; exit 1; }
done
[ "$(identify -format '%wx%h' "$stage/share/icons/hicolor/scalable/apps/pendulum.svg")" = 32x32 ]
desktop-file-validate --no-hints "$stage/share/applications/pendulum.desktop"
grep -q '^Name\[ja\]=' "$stage/share/applications/pendulum.desktop"
grep -q '^Categories=Education;Physics;$' "$stage/share/applications/pendulum.desktop"
# The desktop entry passes with no hint either, and the software centre's entry is valid.
[ -z "$(desktop-file-validate "$stage/share/applications/pendulum.desktop")" ]
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$stage/share/metainfo/invalid.pendulum.simulator.metainfo.xml"
fi
# No run-time search path: Qt's libraries are the system's.
! readelf -d "$stage/bin/pendulum" | grep -q 'R.*PATH'
man -l "$stage/share/man/man1/pendulum.1.gz" >/dev/null
echo "1 passed, 0 failed"
