#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# The Windows installer under Wine: it installs silently with its Start-menu entry, the installed
# program starts on its own files and ends with status 0, and the uninstaller removes it all.
#   windows-installer.sh BUILD_DIR
set -euo pipefail

build=$1
# shellcheck source=winesession.sh
source "$(dirname "$0")/winesession.sh"

step "the installer is made"
(cd "$build" && cpack -G NSIS -B "$work/package" >/dev/null)
installer=$(ls "$work"/package/pendulum-*-windows-x86_64.exe)

step "it installs silently"
wine "$installer" /S
wineserver -w
drive=$(winepath -u 'C:\')
folder="$drive/Program Files/Pendulum Simulator"
for f in pendulum.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_ja.qm LICENSE.txt \
    licenses/Qt/LGPL-3.0-only.txt licenses/musl/COPYRIGHT.txt Uninstall.exe; do
    [ -f "$folder/$f" ] || fail "$f not installed"
done
find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" -name 'Pendulum Simulator.lnk' |
    grep -q . || fail "no Start-menu entry"

step "the installed program starts and ends with status 0"
# Only the installed folder: nothing of the build may be found.
(cd "$drive" && wine "$folder/pendulum.exe") &
app=$!
pids+=($app)
wait_for_launcher "$app"
wmctrl -i -c "$(forms)"
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "the installed program ended with status $status"

step "the uninstaller removes it"
wine "$folder/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself.
wait_for_gone() { [ ! -e "$folder/pendulum.exe" ]; }
deadline=$((SECONDS + 60))
until wait_for_gone; do
    [ $SECONDS -lt $deadline ] || fail "the uninstaller left the program"
    sleep 0.5
done
wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left files: $(find "$folder" | head)"
find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" -name 'Pendulum Simulator*' |
    grep -q . && fail "the Start-menu entry outlived the program"
echo "1 passed, 0 failed"
